#pragma once

#include <string>

// A text shortcut is stored as one settings-file value, so its line breaks and
// the escape character itself are escaped:
//   "{" -> "{{";  CR LF, LF CR, a lone CR and a lone LF -> "{}".
std::string EscapeContents(const std::string& text);

// The reverse: "{}" -> CR LF, "{{" -> "{", a "{" at the very end -> CR LF, and a
// "{" before any other character is dropped (that character is kept). A text
// comes back unchanged by EscapeContents then UnescapeContents, except that each
// of its line breaks comes back as CR LF.
std::string UnescapeContents(const std::string& value);
