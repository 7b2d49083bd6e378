#pragma once
#include <windows.h>
#include <bitset>

// Turns what the low-level hook sees into reports: each key when it goes down (not its
// auto-repeats), posted to the receiver with the modifiers held at that moment. It
// knows which keys are down, so a fresh reporter starts with all keys up. Used only on
// the hook's thread.
class KeyReporter {
public:
    KeyReporter() = default;
    KeyReporter(HWND receiver, UINT message) : m_receiver(receiver), m_message(message) {}

    void OnKey(const KBDLLHOOKSTRUCT& key, bool down);

private:
    static constexpr size_t kKeyCount = 256;

    bool EitherDown(DWORD left, DWORD right, DWORD either) const;
    LPARAM Modifiers() const;

    HWND m_receiver = nullptr;
    UINT m_message = 0;
    std::bitset<kKeyCount> m_keysDown;
};
