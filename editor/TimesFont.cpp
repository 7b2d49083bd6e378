#include "editor/TimesFont.h"
#include <cstring>

namespace {
constexpr LONG kTimesHeight = -14;   // character height in pixels, not cell height
constexpr char kTimesFace[] = "Times New Roman";
}

LOGFONTA TimesFontOf(HWND control)
{
    LOGFONTA font{};
    // A control without a font of its own (the system font) leaves the defaults.
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    font.lfHeight = kTimesHeight;
    std::strncpy(font.lfFaceName, kTimesFace, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return font;
}
