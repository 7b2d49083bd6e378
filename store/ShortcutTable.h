#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/AnsiConverter.h"
#include "store/SettingsLosses.h"
#include "store/Shortcut.h"

// The live copy of the shortcuts that the hotkey dispatch reads. It is never
// edited in place: LoadShortcuts replaces it whole. It grows to hold every entry
// of the settings file: a fixed-size table would drop what does not fit.
using ShortcutTable = std::vector<Shortcut>;

// The settings-file sections, one per stored kind.
inline constexpr char kPathsSection[] = "paths";
inline constexpr char kContentsSection[] = "contents";
inline constexpr char kGraphicsSection[] = "graphics";

// The section that holds shortcuts of `kind` (a ShortcutKind value), or nullptr
// for a kind that is not stored.
const char* SectionOfKind(int kind);

// What a load of the settings file found.
struct SettingsLoad {
    // The table was rebuilt from at least one entry.
    bool loaded = false;
    // What of the file a save would not write back; none when there was no file.
    SettingsLosses losses;
};

// Rebuilds `table` from the settings file's bytes: every entry of "paths", then
// of "graphics", then of "contents" (values unescaped), each in file order. A file
// in UTF-16 or UTF-8 with its byte-order mark is read in the ANSI code page, by
// `ansi` (see DecodeSettingsFile).
// - no fileBytes (no file, or it cannot be read): not loaded, table unchanged;
// - the file holds no entry in those sections: not loaded, table emptied;
// - otherwise loaded.
SettingsLoad LoadShortcuts(const std::optional<std::string>& fileBytes, const AnsiConverter& ansi,
                           ShortcutTable& table);

// A row of the shortcut list as the save sees it: key text, payload, kind.
struct SettingsRow {
    std::string key;
    std::string payload;
    int kind;
};

// The whole settings file for the rows, in their order: one entry a row in the
// section of its kind (texts escaped), sections in the order of their first row.
// Rows of a kind that is not stored are left out.
std::string SettingsFileBytes(const std::vector<SettingsRow>& rows);
