#pragma once
#include "framework/FileIO.h"
#include "store/SettingsLosses.h"
#include "store/ShortcutTable.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// keyset.ini: read into the live shortcut table, followed when another program changes
// it, and written whole from the list. Nothing of the file is ever lost to a save:
// - a file that is there but cannot be read is never written over;
// - a read-only file is not replaced;
// - a file that held what the save does not write back, or that another program
//   changed since the list was read from it, is kept first as keyset.ini.bak (.bak1, ...);
// - a link keeps leading to the file, which is replaced in its own folder, and a file
//   with other names is written in place, a copy standing in for it meanwhile.
class SettingsFile {
public:
    explicit SettingsFile(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }

    struct LoadResult {
        bool shortcuts = false;   // the table holds at least one shortcut
        // For the user when the file is there but could not be read, and the system's reason.
        std::string problem;
        std::string reason;
    };
    // Rebuilds the table from the file, and takes the file as what the list now shows.
    LoadResult Load(ShortcutTable& table);
    // Reads the file again when it is not what the table was read from. The list
    // follows too when `listFollows` (it has no edits of its own): then the file is
    // again what the list shows. True when the table was rebuilt; `problem` says why
    // the file could not be read.
    bool Follow(ShortcutTable& table, bool listFollows, std::string& problem);
    // The list began from a file that could not be read: it is unknown what it holds,
    // and it must be read again before anything is written over it.
    bool IsUnreadable() const { return m_listUnread; }

    struct SaveResult {
        bool saved = false;
        // For the user: why nothing was saved, or, after a save, where the old file is kept.
        std::string message;
    };
    SaveResult Save(const std::vector<Shortcut>& rows);

private:
    struct Copy {
        std::optional<std::string> name;
        FileError error;
    };
    Copy KeepCopy() const;
    LoadResult Take(const FileRead& read, ShortcutTable& table);

    std::string m_path;
    bool m_unreadable = false;   // at the table's last read
    bool m_listUnread = false;   // at the list's
    // What the last load found there that a save would not write back.
    SettingsLosses m_losses;
    // The file as the list and as the table last read it (a hash of its bytes; none when
    // there was no file): the save and the watch tell from it that another program wrote.
    std::optional<std::uint64_t> m_listBasis;
    std::optional<std::uint64_t> m_tableBasis;
};
