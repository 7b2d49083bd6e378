#include "store/ShortcutTable.h"

#include "store/ContentsEscaping.h"
#include "store/ProfileText.h"
#include "store/ProfileTextBuilder.h"
#include "store/SettingsFileText.h"

SettingsLoad LoadShortcuts(const std::optional<std::string>& fileBytes, const AnsiConverter& ansi,
                           ShortcutTable& table)
{
    if (!fileBytes) return {};

    SettingsFileText decoded = DecodeSettingsFile(*fileBytes, ansi);
    const ProfileText profile(std::move(decoded.text));
    ShortcutTable loaded;
    for (const KindInfo& kind : kShortcutKinds) {
        for (const ProfileEntry& entry : profile.ReadSection(kind.section)) {
            Shortcut& record = loaded.emplace_back();
            record.Assign(entry.key, kind.escaped ? UnescapeContents(entry.value) : entry.value, kind.kind);
        }
    }
    table = std::move(loaded);

    SettingsLoad load;
    load.loaded = !table.empty();
    load.losses = FindLineLosses(profile);
    load.losses.unreadableBytes = decoded.unreadableBytes;
    return load;
}

std::optional<SettingsEntry> EntryOf(const Shortcut& row)
{
    const KindInfo* kind = InfoOfKind(row.kind);
    if (!kind) return std::nullopt;
    return SettingsEntry{kind->section, row.keyName, kind->escaped ? EscapeContents(row.payload) : row.payload};
}

std::string SettingsFileBytes(const std::vector<Shortcut>& rows)
{
    std::vector<std::string> sections;
    for (const KindInfo& kind : kShortcutKinds) sections.emplace_back(kind.section);
    ProfileTextBuilder file(sections);
    for (const Shortcut& row : rows) {
        if (const std::optional<SettingsEntry> entry = EntryOf(row)) file.WriteEntry(entry->section, entry->key, entry->value);
    }
    return EncodeSettingsFile(file.Bytes());
}
