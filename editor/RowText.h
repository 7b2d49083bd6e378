#pragma once

#include <string>
#include <string_view>

#include "store/ShortcutKind.h"

// What a row of the shortcut list shows in its columns.

// The kind as the form's radios name it: "Path", "Text", "Graphic"; empty for a value
// that names no kind.
std::string KindName(ShortcutKind kind);

// The text on one line, each line break (CR LF, LF CR, a lone CR or LF) shown as a
// pilcrow: a list row holds one line, and a control character would draw as a box.
std::string OnOneLine(std::string_view text);
