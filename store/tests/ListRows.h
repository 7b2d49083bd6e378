#pragma once

#include <string>
#include <vector>

#include "store/Shortcut.h"

// Rows of the list as the tests write them: key text, payload and kind, taken as
// they are (a list row's key is whatever its text is, blanks and all).
struct RowText {
    std::string key;
    std::string payload;
    ShortcutKind kind;
};

inline Shortcut ListRow(const RowText& text)
{
    Shortcut row;
    row.keyName = text.key;
    row.payload = text.payload;
    row.kind = text.kind;
    return row;
}

inline std::vector<Shortcut> ListRows(const std::vector<RowText>& texts)
{
    std::vector<Shortcut> rows;
    for (const RowText& text : texts) rows.push_back(ListRow(text));
    return rows;
}

// A value that names no kind.
inline constexpr ShortcutKind kUnknownKind = static_cast<ShortcutKind>(7);
