#pragma once

#include <string>

// The bytes of UTF-16 text as a file holds them, each unit little-endian or big-endian.
inline std::string Utf16Bytes(const std::u16string& text, bool bigEndian)
{
    std::string bytes;
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// The same text with each of its bytes a character of its own, as Latin-1 makes them.
inline std::u16string Latin1ToUtf16(const std::string& text)
{
    std::u16string out;
    for (const char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}
