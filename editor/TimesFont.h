#pragma once
#include <windows.h>

// The editor's captions and hints are set in Times New Roman at a fixed size, keeping
// the weight and the rest of the control's own font (the dialog's).
LOGFONTW TimesFontOf(HWND control);
