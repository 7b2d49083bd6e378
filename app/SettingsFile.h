#pragma once
#include "store/SettingsLosses.h"
#include "store/ShortcutTable.h"
#include <string>
#include <vector>

// keyset.ini: read into the live shortcut table, and written whole from the list.
// Before the first save over a file that held what the save does not write back, the
// file as it was is kept beside it (keyset.ini.bak, .bak1, ...); without such a copy
// nothing is saved over it.
class SettingsFile {
public:
    explicit SettingsFile(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }

    // Rebuilds the table from the file; true when it holds at least one shortcut.
    bool Load(ShortcutTable& table);

    struct SaveResult {
        bool saved = false;
        // For the user: why nothing was saved, or, after a save, where the old file is kept.
        std::string message;
    };
    // Writes the rows: a new file beside the old one, put in its place in one step.
    SaveResult Save(const std::vector<Shortcut>& rows);

private:
    std::string m_path;
    // What the last load found there that a save would not write back.
    SettingsLosses m_losses;
};
