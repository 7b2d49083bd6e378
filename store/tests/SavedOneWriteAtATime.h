#pragma once

#include <string>
#include <vector>

#include "store/ContentsEscaping.h"
#include "store/ProfileText.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"

// How the save made the file before it had a builder: every row written into the
// whole text by ProfileText, which reads all of it again at each write. What
// SettingsFileBytes writes is compared with it.
inline std::string SavedOneWriteAtATime(const std::vector<SettingsRow>& rows)
{
    ProfileText file;
    for (const SettingsRow& row : rows) {
        const char* section = SectionOfKind(row.kind);
        if (!section) continue;
        const bool isText = row.kind == static_cast<int>(ShortcutKind::Text);
        file.WriteEntry(section, row.key, isText ? EscapeContents(row.payload) : row.payload);
    }
    return file.Bytes();
}
