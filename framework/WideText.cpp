#include "framework/WideText.h"
#include <windows.h>

namespace {
// The conversions count in int; longer texts go in pieces that never split a character.
constexpr std::size_t kPiece = 1 << 24;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
}  // namespace

std::wstring Wide(std::string_view utf8)
{
    std::wstring wide;
    while (!utf8.empty()) {
        std::size_t length = std::min(utf8.size(), kPiece);
        while (length < utf8.size() && length > 0 && IsUtf8Continuation(utf8[length]))
            --length;
        const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(length), nullptr, 0);
        const std::size_t at = wide.size();
        wide.resize(at + static_cast<std::size_t>(size));
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(length), wide.data() + at, size);
        utf8.remove_prefix(length);
    }
    return wide;
}

std::string Utf8(std::wstring_view wide)
{
    std::string utf8;
    while (!wide.empty()) {
        std::size_t length = std::min(wide.size(), kPiece);
        if (length < wide.size() && IsHighSurrogate(wide[length - 1]))
            --length;
        const int size =
            ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        const std::size_t at = utf8.size();
        utf8.resize(at + static_cast<std::size_t>(size));
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length), utf8.data() + at, size, nullptr,
                              nullptr);
        wide.remove_prefix(length);
    }
    return utf8;
}
