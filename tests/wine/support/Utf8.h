#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// The tests keep every text as UTF-8 and hand Windows only UTF-16, so that what they
// compare is what a user sees, in any language. Kept to this header, so that the
// helper programs beside the tests use it without the test support library.
namespace wt {

// Text of a code page as UTF-16: CP_ACP for what a program that knows only ANSI text
// reads and writes.
inline std::wstring WideFrom(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

inline std::wstring Wide(std::string_view utf8) { return WideFrom(CP_UTF8, utf8); }

inline std::string Utf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string utf8(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

}  // namespace wt
