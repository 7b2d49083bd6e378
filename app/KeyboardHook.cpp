#include "app/KeyboardHook.h"
#include "app/HookMessage.h"
#include "keyhook/KeyHook.h"

namespace {

constexpr unsigned char kEitherShift = kKeyHookChordShiftUp | kKeyHookChordShiftDown;

bool IsNumpadDigit(int key) { return key >= VK_NUMPAD0 && key <= VK_NUMPAD9; }

} // namespace

KeyboardHook::KeyboardHook() : m_chords(ChordsOf({})) {}

void KeyboardHook::Install(HWND receiver)
{
    m_receiver = receiver;
    if (installhook(receiver, g_hookKeyDownMsg))
        SetBoundChords(m_chords.data(), static_cast<int>(m_chords.size()));
}

void KeyboardHook::Remove()
{
    m_receiver = nullptr;
    UnHook();
}

void KeyboardHook::Restart()
{
    if (!m_receiver)
        return;
    const HWND receiver = m_receiver;
    Remove();
    Install(receiver);
}

void KeyboardHook::BindKeys(const ShortcutTable& table)
{
    m_chords = ChordsOf(table);
    if (m_receiver)
        SetBoundChords(m_chords.data(), static_cast<int>(m_chords.size()));
}

// Exactly what the hotkey dispatcher fires on: a chord kept from the program in front
// that fires nothing would be a key lost, one passed on that fires would reach it too.
KeyboardHook::Chords KeyboardHook::ChordsOf(const ShortcutTable& table)
{
    Chords chords{};
    for (const Shortcut& shortcut : table) {
        const int key = shortcut.keyCode;
        // The dispatcher reads a numeric-pad digit as the digit, so a record of the
        // pad's own code never fires.
        if (key < 0 || key >= kKeyHookKeyCount || IsNumpadDigit(key) || !shortcut.ctrl || !shortcut.alt)
            continue;
        const unsigned char shift = shortcut.shift ? kKeyHookChordShiftDown : kKeyHookChordShiftUp;
        chords[key] |= shift;
        if (key >= '0' && key <= '9')
            chords[VK_NUMPAD0 + (key - '0')] |= shift;
    }
    chords[VK_SNAPSHOT] = kEitherShift;  // the capture, whatever SHIFT is
    return chords;
}
