#pragma once
#include <windows.h>

// Sizes given for 96 dpi (100 %), as the window's monitor needs them.
constexpr UINT kDefaultDpi = 96;

// The window's DPI: its monitor's, for a program that follows the monitor's scale.
UINT WindowDpi(HWND window);
inline int ScaleToDpi(int size, UINT dpi) { return ::MulDiv(size, static_cast<int>(dpi), kDefaultDpi); }
