#pragma once
#include <windows.h>

// The part the minimal baseline programs share, and no more: a hidden window of the
// class given, which keyhook.dll reports every key-down to, and which calls `action`
// for CTRL+ALT+key. Runs the message loop until the window is destroyed, with the
// hook installed for that time; the program's exit code.
int RunMinimalHotkeyHost(HINSTANCE instance, const char* className, WORD key, void (*action)(HWND host));
