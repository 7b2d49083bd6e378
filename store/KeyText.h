#pragma once

#include <string>
#include <string_view>

// Small text helpers shared by the store and the folders that use it. Texts are
// 8-bit strings in the ANSI code page; case rules touch only ASCII letters.

// Whitespace as the C locale's isspace knows it: space, tab, CR, LF, VT, FF.
bool IsWhitespace(char c);

std::string TrimWhitespace(std::string_view text);  // both ends
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// True when the path starts with a drive letter and a colon ("d:\x", "C:"),
// which tells a stored bitmap path from the image box's prompt texts. UNC and
// relative paths give false.
bool PathHasDrive(const std::string& path);

// The text a key name is listed under: when its first "+" stands after its first
// character ("CTRL+ALT+a"), the part after its last "+", upper-cased ("A");
// otherwise the name unchanged.
std::string ListKeyText(const std::string& keyName);
