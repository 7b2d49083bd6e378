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

// What a load of the settings file found.
struct SettingsLoad {
    // The table was rebuilt from at least one entry.
    bool loaded = false;
    // What of the file a save would not write back; none when there was no file.
    SettingsLosses losses;
};

// Rebuilds `table` from the settings file's bytes: the entries of each kind's
// section, kind by kind in load order (kShortcutKinds), each in file order; texts
// unescaped. Texts are UTF-8, whichever way the file was stored (DecodeSettingsFile;
// `ansi` for a file in the ANSI code page).
// - no fileBytes (no file, or it cannot be read): not loaded, table unchanged;
// - the file holds no entry in those sections: not loaded, table emptied;
// - otherwise loaded.
SettingsLoad LoadShortcuts(const std::optional<std::string>& fileBytes, const AnsiConverter& ansi,
                           ShortcutTable& table);

// One line of the settings file: the entry `key=value` in `section`.
struct SettingsEntry {
    const char* section;
    std::string key;
    std::string value;
};

// The entry a row is saved as: its key name in its kind's section, a text escaped.
// nullopt for a kind that is not stored.
std::optional<SettingsEntry> EntryOf(const Shortcut& row);

// The whole settings file for the rows, in their order: one entry a row (EntryOf),
// sections in the order of their first row; stored as EncodeSettingsFile stores it.
std::string SettingsFileBytes(const std::vector<Shortcut>& rows);
