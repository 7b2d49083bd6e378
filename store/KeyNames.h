#pragma once

#include <array>
#include <cstddef>
#include <string>

inline constexpr std::size_t kKeyNameCount = 48;

// The key names a shortcut may use, in the order the key combo lists them:
// "0".."9", "A".."Z", "F1".."F12".
const std::array<std::string, kKeyNameCount>& KeyNames();

// The virtual-key code of a key name, -1 when the name gives none:
// - one character: that character's code ("0".."9" -> 48..57, "A".."Z" -> 65..90);
// - a longer name beginning with 'F': 111 plus the number after the 'F', read like
//   atoi (leading whitespace, optional sign, digits; no digits count as 0), so
//   "F1".."F12" -> 112..123. Numbers beyond int are clamped as the Windows C
//   runtime's atoi does, and the sum saturates at INT_MAX instead of overflowing;
// - anything else: -1.
int KeyCodeFromName(const std::string& name);
