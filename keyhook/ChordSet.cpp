#include "keyhook/ChordSet.h"

void ChordSet::Replace(const std::uint8_t* chords, std::size_t count)
{
    for (std::size_t key = 0; key < m_chords.size(); ++key)
        m_chords[key] = key < count ? chords[key] : std::uint8_t{0};
}

bool ChordSet::Fires(std::uint8_t key, bool shift) const
{
    return (m_chords[key] & (shift ? kKeyHookChordShiftDown : kKeyHookChordShiftUp)) != 0;
}
