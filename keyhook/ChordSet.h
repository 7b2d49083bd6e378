#pragma once
#include "keyhook/ChordBits.h"
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

// The chords that fire something in the receiver, as kKeyHookChordShiftUp/Down bits
// per virtual-key code. Replaced by the installing thread while the hook's thread
// reads it. Each lookup reads one key's entry, so a replacement in progress gives
// every key its old or its new entry, never a torn one: no lock, and the hook, which
// every key on the desktop waits for, never waits.
class ChordSet {
public:
    ChordSet() { Replace(nullptr, 0); }
    ChordSet(const ChordSet&) = delete;
    ChordSet& operator=(const ChordSet&) = delete;

    // Entries from `count` on are bound to nothing.
    void Replace(const std::uint8_t* chords, std::size_t count);
    bool Fires(std::uint8_t key, bool shift) const;

private:
    std::array<std::atomic<std::uint8_t>, kKeyHookKeyCount> m_chords;
};
