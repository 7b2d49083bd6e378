#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "store/AnsiConverter.h"

// How a settings file was stored.
enum class SettingsEncoding { Utf8WithMark, Utf16LittleEndian, Utf16BigEndian, Utf8, Ansi };

// The settings file's text in UTF-8, whichever way it was stored.
struct SettingsFileText {
    std::string text;
    SettingsEncoding encoding = SettingsEncoding::Utf8;
    // Bytes that are no character of the file's encoding: the last byte of a UTF-16
    // file of odd length (left out), the two bytes of each unpaired UTF-16 surrogate
    // and each byte of a file marked as UTF-8 that is no part of a well-formed
    // sequence (each read as U+FFFD).
    std::size_t unreadableBytes = 0;
};

// The file's bytes read as text: after the UTF-16 marks FF FE (little-endian) or FE FF
// (big-endian) as UTF-16, after EF BB BF as UTF-8; without a mark as UTF-8 when the
// bytes are well-formed UTF-8 (plain ASCII among them, and what an editor writes by
// default), and otherwise in the ANSI code page, as files of old were written, turned
// into UTF-8 by `ansi`. A mark is left out.
SettingsFileText DecodeSettingsFile(std::string_view bytes, const AnsiConverter& ansi);

// The bytes to store for the text: an ASCII text as it is, byte for byte as files of
// old; any other as UTF-8 after its byte-order mark, so that every editor and every
// older reader knows it for UTF-8.
std::string EncodeSettingsFile(const std::string& utf8);
