#pragma once

#include <string>
#include <vector>

#include "store/ContentsEscaping.h"
#include "store/ProfileText.h"
#include "store/SettingsFileText.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"

// How the save made the file before it had a builder: every row written into the
// whole text by ProfileText, which reads all of it again at each write. What
// SettingsFileBytes writes is compared with it.
inline std::string SavedOneWriteAtATime(const std::vector<Shortcut>& rows)
{
    ProfileText file;
    for (const Shortcut& row : rows) {
        const KindInfo* kind = InfoOfKind(row.kind);
        if (!kind) continue;
        file.WriteEntry(kind->section, row.keyName, kind->escaped ? EscapeContents(row.payload) : row.payload);
    }
    return EncodeSettingsFile(file.Bytes());
}
