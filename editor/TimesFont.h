#pragma once
#include <windows.h>

// The editor's captions and hints are set in Times New Roman, 14 pixels high at 96 dpi
// and in proportion on a monitor of another scale, keeping the weight and the rest of
// the control's own font (the dialog's).
LOGFONTW TimesFontOf(HWND control);
