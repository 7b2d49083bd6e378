#pragma once

// keyhook.dll: reports key presses anywhere on the desktop to one window.
// The program imports these two functions by their plain C names.

#include <windows.h>

#ifdef KEYHOOK_BUILD
#define KEYHOOK_API __declspec(dllexport)
#else
#define KEYHOOK_API __declspec(dllimport)
#endif

extern "C" {

// Posts `message` to `window`, wParam = virtual-key code, lParam = 0, once each
// time a key goes down (not for its auto-repeats). Replaces an earlier hook.
// Returns nonzero on success. The installing thread must pump messages: the
// system calls the hook on that thread.
KEYHOOK_API int installhook(HWND window, UINT message);

// Stops the reports. Safe to call when no hook is installed.
KEYHOOK_API int UnHook();
}
