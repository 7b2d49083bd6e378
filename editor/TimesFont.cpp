#include "editor/TimesFont.h"
#include <cwchar>

namespace {
constexpr LONG kTimesHeight = -14;   // character height in pixels, not cell height
constexpr wchar_t kTimesFace[] = L"Times New Roman";
}

LOGFONTW TimesFontOf(HWND control)
{
    LOGFONTW font{};
    // A control without a font of its own (the system font) leaves the defaults.
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    font.lfHeight = kTimesHeight;
    std::wcsncpy(font.lfFaceName, kTimesFace, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return font;
}
