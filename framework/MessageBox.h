#pragma once
#include <windows.h>
#include <string>

// A plain message box with the application's title as caption.
int ShowMessage(HWND owner, const std::string& text, UINT flags = MB_OK);
