#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// What a shortcut's payload is and which action runs for it.
enum class ShortcutKind : std::int32_t { Path = 0, Text = 1, Graphic = 2 };

// What the settings file knows of a kind. A new kind needs an entry here (and its
// action and its radio in the form); a kind without one is stored nowhere.
struct KindInfo {
    ShortcutKind kind;
    const char* section;  // the settings-file section that holds shortcuts of the kind
    bool escaped;         // its values pass through EscapeContents: they may hold line breaks
};

// One entry a kind, in load order: the hotkey tries the records of one key in the
// order of the table, so paths run before pictures and pictures before texts.
inline constexpr KindInfo kShortcutKinds[] = {
    {ShortcutKind::Path, "paths", false},
    {ShortcutKind::Graphic, "graphics", false},
    {ShortcutKind::Text, "contents", true},
};

// The entry of `kind`; nullptr for a value that names no kind.
const KindInfo* InfoOfKind(ShortcutKind kind);
// The kind stored in the section (its name compared without regard to case).
std::optional<ShortcutKind> KindOfSection(std::string_view section);
