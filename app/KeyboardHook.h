#pragma once
#include <windows.h>

// The program's side of keyhook.dll: while installed, every key-down anywhere on the
// desktop reaches the window as g_hookKeyDownMsg. Removed at the latest on destruction.
class KeyboardHook {
public:
    KeyboardHook() = default;
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;
    ~KeyboardHook() { Remove(); }

    void Install(HWND receiver);
    void Remove();
};
