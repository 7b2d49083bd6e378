#pragma once
#include <windows.h>
#include <string>

// A message box titled with the program's name, with the buttons and the icon of
// `flags` (MB_ICONWARNING, MB_ICONERROR, ...). The owner is the window the user sees
// (nullptr when none of ours is in sight).
int ShowMessage(HWND owner, const std::string& text, UINT flags);
