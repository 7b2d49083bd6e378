#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's texts are UTF-8 in std::string; Windows counts and stores UTF-16.

// Whether every byte belongs to a well-formed UTF-8 sequence (no overlong forms, no
// surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// How many UTF-16 units the text takes: what a text box counts as its characters
// (a character beyond U+FFFF counts twice). Each byte of an ill-formed sequence
// counts as one.
std::size_t Utf16Length(std::string_view utf8);

// The UTF-8 of UTF-16 text. Each unit of an unpaired surrogate becomes U+FFFD and is
// counted in `unpaired`.
std::string Utf8FromUtf16(std::u16string_view utf16, std::size_t& unpaired);

// The text with each byte of an ill-formed sequence replaced by U+FFFD, and counted in
// `unreadable`.
std::string ValidUtf8(std::string_view text, std::size_t& unreadable);

// True when every byte is ASCII (below 0x80).
bool IsAscii(std::string_view text);
