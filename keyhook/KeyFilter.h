#pragma once
#include "keyhook/ChordBits.h"
#include "keyhook/ChordSet.h"
#include "keyhook/KeyState.h"
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>

using KeysDown = std::bitset<kKeyHookKeyCount>;

// A key event as the low-level hook sees it.
struct KeyEvent {
    std::uint32_t key;       // virtual-key code
    std::uint32_t scanCode;
    bool down;
    bool injected = false;   // sent by a program (SendInput), not typed
};

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

inline bool operator==(const Modifiers& a, const Modifiers& b)
{
    return a.shift == b.shift && a.ctrl == b.ctrl && a.alt == b.alt;
}

// What becomes of one key event.
struct KeyVerdict {
    // Set when the key went down (not for its auto-repeats): report it with the
    // modifiers held at that moment.
    std::optional<Modifiers> report;
    // Kept from the program in front and from later hooks.
    bool swallow = false;
};

inline bool operator==(const KeyVerdict& a, const KeyVerdict& b) { return a.report == b.report && a.swallow == b.swallow; }

// The hook's decisions, free of windows: which keys are down, which modifiers count,
// and for each event whether it is reported and whether it is swallowed. A key whose
// CTRL+ALT chord fires something is swallowed from its key-down to its key-up, so the
// program in front never sees half of it; all else passes on. Used on the hook's
// thread only, except Bind.
class KeyFilter {
public:
    KeyFilter() = default;
    KeyFilter(const KeyFilter&) = delete;
    KeyFilter& operator=(const KeyFilter&) = delete;

    // Replaces the bound chords (see ChordSet); from any thread.
    void Bind(const std::uint8_t* chords, std::size_t count) { m_bound.Replace(chords, count); }
    // Every key up, nothing bound. Only while no event is being handled.
    void Reset();
    // `system` is asked about the modifiers believed held, as they were just before
    // this event.
    KeyVerdict OnKey(const KeyEvent& event, const KeyState& system);

private:
    KeyVerdict OnKeyDown(std::uint8_t key, bool injected, const KeyState& system);
    KeyVerdict OnKeyUp(std::uint8_t key);
    void OnAltGrControl(bool down);
    void ForgetModifiersReleasedUnseen(const KeyState& system);
    Modifiers Held() const;

    ChordSet m_bound;
    KeysDown m_down;
    KeysDown m_swallowed;
    KeysDown m_sentDown;   // went down as sent by a program
    // The system keeps one state per key code, so AltGr letting go of its own left
    // CTRL makes it believe a real CTRL that is still held is up.
    bool m_ctrlHiddenByAltGr = false;
};
