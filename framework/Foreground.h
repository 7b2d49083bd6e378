#pragma once
#include <windows.h>

// The window in front, as the user left it before one of the program's windows took
// the keyboard for a moment (a message box, the capture, the main dialog from the
// tray). nullptr when the window in front is the program's own or there is none.
HWND ForegroundOfOtherProgram();

// Gives the keyboard back: to `previous` while it is still a visible window, else to
// the topmost visible window of another program, so that it never stays with a window
// of ours that the user cannot see.
void GiveForegroundBack(HWND previous);
