#include "store/ShortcutTable.h"

#include "store/ContentsEscaping.h"
#include "store/ProfileText.h"
#include "store/ProfileTextBuilder.h"
#include "store/SettingsFileText.h"
#include "store/ShortcutKind.h"

const char* SectionOfKind(int kind)
{
    switch (static_cast<ShortcutKind>(kind)) {
    case ShortcutKind::Path: return kPathsSection;
    case ShortcutKind::Text: return kContentsSection;
    case ShortcutKind::Graphic: return kGraphicsSection;
    }
    return nullptr;
}

SettingsLoad LoadShortcuts(const std::optional<std::string>& fileBytes, const AnsiConverter& ansi,
                           ShortcutTable& table)
{
    if (!fileBytes) return {};

    // The dispatch tries records in table order, so this order decides which of
    // several records for one key runs first.
    constexpr ShortcutKind kLoadOrder[] = {ShortcutKind::Path, ShortcutKind::Graphic, ShortcutKind::Text};

    SettingsFileText decoded = DecodeSettingsFile(*fileBytes, ansi);
    const ProfileText profile(std::move(decoded.text));
    ShortcutTable loaded;
    for (const ShortcutKind kind : kLoadOrder) {
        const int kindValue = static_cast<int>(kind);
        for (const ProfileEntry& entry : profile.ReadSection(SectionOfKind(kindValue))) {
            Shortcut& record = loaded.emplace_back();
            record.Assign(entry.key, kind == ShortcutKind::Text ? UnescapeContents(entry.value) : entry.value,
                          kindValue);
        }
    }
    table = std::move(loaded);

    SettingsLoad load;
    load.loaded = !table.empty();
    load.losses = FindLineLosses(profile);
    load.losses.unreadableBytes = decoded.unreadableBytes;
    load.losses.unmappableCharacters = decoded.unmappableCharacters;
    return load;
}

std::string SettingsFileBytes(const std::vector<SettingsRow>& rows)
{
    ProfileTextBuilder file({kPathsSection, kContentsSection, kGraphicsSection});
    for (const SettingsRow& row : rows) {
        const char* section = SectionOfKind(row.kind);
        if (!section)
            continue;
        const bool isText = row.kind == static_cast<int>(ShortcutKind::Text);
        file.WriteEntry(section, row.key, isText ? EscapeContents(row.payload) : row.payload);
    }
    return file.Bytes();
}
