#include "framework/AnsiCodePage.h"
#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

namespace {
// WideCharToMultiByte counts in int; a longer text goes in pieces of this many units.
constexpr std::size_t kPieceUnits = 1 << 24;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
}

AnsiText AnsiCodePage::ToAnsi(std::u16string_view utf16) const
{
    // Without WC_NO_BEST_FIT_CHARS a character the code page lacks silently becomes
    // a look-alike (a Polish L with stroke a plain L) and the used-default flag stays
    // off; the look-alike would name another file. A UTF-8 code page holds every
    // character and takes neither the flag nor the default-character arguments.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    AnsiText out;
    while (!utf16.empty()) {
        std::size_t units = utf16.size() < kPieceUnits ? utf16.size() : kPieceUnits;
        if (units < utf16.size() && IsHighSurrogate(utf16[units - 1]))
            --units;  // keep a pair together
        const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
        const int count = static_cast<int>(units);
        BOOL usedDefault = FALSE;
        BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
        const int size = ::WideCharToMultiByte(CP_ACP, flags, wide, count, nullptr, 0, nullptr, usedDefaultOut);
        const std::size_t at = out.text.size();
        out.text.resize(at + static_cast<std::size_t>(size > 0 ? size : 0));
        if (size > 0)
            ::WideCharToMultiByte(CP_ACP, flags, wide, count, out.text.data() + at, size, nullptr, usedDefaultOut);
        else
            out.lossy = true;  // nothing came out of a non-empty piece
        out.lossy = out.lossy || usedDefault;
        utf16.remove_prefix(units);
    }
    return out;
}
