#include "framework/AnsiCodePage.h"
#include "framework/WideText.h"
#include <windows.h>

namespace {
// MultiByteToWideChar counts in int; a longer text goes in pieces. A piece may end
// inside a double-byte character, which then reads as two: only in a file of more than
// 16 MiB of such text.
constexpr std::size_t kPieceBytes = 1 << 24;
}

std::string AnsiCodePage::ToUtf8(std::string_view ansi) const
{
    std::wstring wide;
    while (!ansi.empty()) {
        const std::size_t length = std::min(ansi.size(), kPieceBytes);
        const int size = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(length), nullptr, 0);
        const std::size_t at = wide.size();
        wide.resize(at + static_cast<std::size_t>(size > 0 ? size : 0));
        if (size > 0)
            ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(length), wide.data() + at, size);
        ansi.remove_prefix(length);
    }
    return Utf8(wide);
}
