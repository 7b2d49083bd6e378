#pragma once

// keyhook.dll: reports key presses anywhere on the desktop to one window.
// The program imports these two functions by their plain C names.

#include <windows.h>

#ifdef KEYHOOK_BUILD
#define KEYHOOK_API __declspec(dllexport)
#else
#define KEYHOOK_API __declspec(dllimport)
#endif

// lParam of a report: the modifiers that were down when the key went down. The
// receiver handles the report later, when the user may have let go already, and a
// program in the background cannot ask its own keyboard state about keys pressed
// in other programs.
constexpr LPARAM kKeyHookShiftDown = 0x1;
constexpr LPARAM kKeyHookCtrlDown = 0x2;
constexpr LPARAM kKeyHookAltDown = 0x4;
// Set in every report, so that a receiver can tell a report with all modifiers up
// from a message that carries no modifier state at all.
constexpr LPARAM kKeyHookModifiersReported = 0x100;

extern "C" {

// Posts `message` to `window`, wParam = virtual-key code, lParam = the modifier
// flags above, once each time a key goes down (not for its auto-repeats).
// Replaces an earlier hook.
// Returns nonzero on success. The installing thread must pump messages: the
// system calls the hook on that thread.
KEYHOOK_API int installhook(HWND window, UINT message);

// Stops the reports. Safe to call when no hook is installed.
KEYHOOK_API int UnHook();
}
