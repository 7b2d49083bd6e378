#pragma once
#include "keyhook/ChordBits.h"
#include "store/ShortcutTable.h"
#include <windows.h>
#include <array>

// The program's side of keyhook.dll: while installed, every key-down anywhere on the
// desktop reaches the window as g_hookKeyDownMsg, and the keys that fire something
// are kept from the program in front. Removed at the latest on destruction.
class KeyboardHook {
public:
    KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;
    ~KeyboardHook() { Remove(); }

    void Install(HWND receiver);
    void Remove();
    // Installs the hook afresh, with every key up, if it is installed: key-ups made
    // while the session was locked or the machine asleep never reached it.
    void Restart();
    // The keys whose CTRL+ALT chord fires a shortcut of `table` (or the capture) are
    // from now on kept from the program in front. Call whenever the live table
    // changes, installed or not: every later install keeps them. Until the first
    // call only CTRL+ALT+Print Screen is kept.
    void BindKeys(const ShortcutTable& table);

private:
    using Chords = std::array<unsigned char, kKeyHookKeyCount>;

    static Chords ChordsOf(const ShortcutTable& table);

    HWND m_receiver = nullptr;   // set while installed
    Chords m_chords;
};
