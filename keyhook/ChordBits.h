#pragma once

// The terms of the hook's set of bound chords, shared by the library's export and its
// window-free logic (which includes no windows.h): for each virtual-key code, which
// SHIFT states make CTRL+ALT+key fire something in the receiver.
inline constexpr int kKeyHookKeyCount = 256;
inline constexpr unsigned char kKeyHookChordShiftUp = 0x1;
inline constexpr unsigned char kKeyHookChordShiftDown = 0x2;
