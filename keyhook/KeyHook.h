#pragma once

// keyhook.dll: reports key presses anywhere on the desktop to one window, and keeps
// the chords that fire something there from the program in front.
// The program imports these functions by their plain C names.

#include "keyhook/ChordBits.h"
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
// flags above, once each time a key goes down (not for its auto-repeats). The left
// CTRL that the system sends for AltGr is neither reported nor counted as CTRL.
// Replaces an earlier hook and starts with every key up and no chord bound (see
// SetBoundChords). The hook runs on a thread of the library's own, so the caller's
// thread may be busy for as long as it likes; returns once the hook is in place,
// nonzero when it is.
KEYHOOK_API int installhook(HWND window, UINT message);

// Stops the reports and waits for the hook's thread to end; nonzero when the hook is
// gone. Safe to call when no hook is installed; not from DllMain.
KEYHOOK_API int UnHook();

// The chords that fire something in the receiver, which the installed hook keeps from
// the program in front: their key-down (still reported) with any auto-repeats, and
// their key-up. chords[k] holds kKeyHookChordShiftUp and/or kKeyHookChordShiftDown for
// the SHIFT states in which CTRL+ALT+k fires; keys from `count` on fire nothing.
// CTRL and ALT count only when really pressed (AltGr's CTRL never does), and
// modifier keys always pass on. Replaces the earlier set; nonzero when it was
// taken: 0 while no hook is installed (installhook starts with none), or for a
// count outside 0..kKeyHookKeyCount. From the thread that installs.
KEYHOOK_API int SetBoundChords(const unsigned char* chords, int count);
}
