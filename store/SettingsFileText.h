#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "store/AnsiConverter.h"

// The settings file's text in the ANSI code page, whichever way it was stored.
struct SettingsFileText {
    std::string text;
    // Bytes that are no character of the file's encoding: the last byte of a UTF-16
    // file of odd length (left out), the two bytes of each unpaired UTF-16 surrogate
    // and each byte that is no part of a well-formed UTF-8 sequence (each read as "?").
    std::size_t unreadableBytes = 0;
    // Some character of a UTF-16 or UTF-8 file has no equivalent in the ANSI code
    // page; the converter put its replacement in its place.
    bool unmappableCharacters = false;
};

// The file read as the system's profile functions read it: bytes without a
// byte-order mark are ANSI text and stay as they are; after the UTF-16 marks FF FE
// (little-endian) or FE FF (big-endian) the text is UTF-16, and after EF BB BF it
// is UTF-8. Those are converted to the ANSI code page by `ansi`, the mark left out.
SettingsFileText DecodeSettingsFile(std::string_view bytes, const AnsiConverter& ansi);
