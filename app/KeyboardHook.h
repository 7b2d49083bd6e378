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
    // Installs the hook afresh, with every key up, if it is installed: key-ups made
    // while the session was locked or the machine asleep never reached it.
    void Restart();

private:
    HWND m_receiver = nullptr;   // set while installed
};
