#include "editor/TimesFont.h"
#include "framework/Dpi.h"
#include <cwchar>

namespace {
// A character height (not a cell height), in pixels at 96 dpi.
constexpr int kTimesHeight = 14;
constexpr wchar_t kTimesFace[] = L"Times New Roman";
}

LOGFONTW TimesFontOf(HWND control)
{
    LOGFONTW font{};
    // A control without a font of its own (the system font) leaves the defaults.
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    font.lfHeight = -ScaleToDpi(kTimesHeight, WindowDpi(control));
    std::wcsncpy(font.lfFaceName, kTimesFace, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return font;
}
