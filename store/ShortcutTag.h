#pragma once

#include <cstdint>
#include <string>

// The item data of one row of the shortcut list: what the list sorts by and
// what the save needs besides the row's texts.
class ShortcutTag {
public:
    // keyCode from the key name by KeyCodeFromName (-1 when it gives none).
    ShortcutTag(const std::string& keyName, int kind);
    ShortcutTag(int keyCode, int kind);
    ShortcutTag(const ShortcutTag&) = default;
    ShortcutTag& operator=(const ShortcutTag&) = default;
    virtual ~ShortcutTag() = default;

    std::int32_t keyCode = -1;
    std::int32_t kind = 1;  // a ShortcutKind value
};

// The list's sort order: -1, 0 or 1 as a.keyCode is below, equal to or above b.keyCode.
int CompareRowTags(const ShortcutTag& a, const ShortcutTag& b);
