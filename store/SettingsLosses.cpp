#include "store/SettingsLosses.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "store/ContentsEscaping.h"
#include "store/KeyText.h"
#include "store/ProfileText.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"

namespace {

bool IsUnclosedHeader(std::string_view trimmedLine)
{
    return !trimmedLine.empty() && trimmedLine[0] == '[' &&
           trimmedLine.find_first_of("]=") == std::string_view::npos;
}

bool HasTextAfterHeader(std::string_view headerLine)
{
    const std::string trimmed = TrimWhitespace(headerLine);
    return trimmed.rfind(']') + 1 < trimmed.size();
}

// A line of a read section as the save writes it back: loaded into its record, that
// record as the list shows it, written as its entry.
std::string SavedLine(std::string_view trimmedLine, const KindInfo& kind)
{
    const std::size_t equals = trimmedLine.find('=');
    const bool hasKey = equals != std::string_view::npos;
    const std::string value(hasKey ? trimmedLine.substr(equals + 1) : trimmedLine);
    Shortcut record;
    record.Assign(std::string(hasKey ? trimmedLine.substr(0, equals) : std::string_view()),
                  kind.escaped ? UnescapeContents(value) : value, kind.kind);
    const SettingsEntry entry = *EntryOf(ListedShortcut(record));
    return entry.key + "=" + entry.value;
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& n : names) {
        if (EqualsNoCase(n, name)) return true;
    }
    return false;
}

}  // namespace

bool SettingsLosses::Any() const
{
    return unreadableBytes > 0 || unclosedHeaders > 0 || linesOutsideSections > 0 ||
           textAfterHeaders > 0 || entriesSavedAsHeaders > 0 || linesWithNul > 0 || repeatedKeys > 0;
}

SettingsLosses FindLineLosses(const ProfileText& text)
{
    SettingsLosses losses;
    std::vector<std::string> readSections;
    for (const ProfileBlock& block : text.Blocks()) {
        const KindInfo* kind = nullptr;
        if (block.name) {
            const std::optional<ShortcutKind> stored = KindOfSection(*block.name);
            if (stored && !Contains(readSections, *block.name)) {
                kind = InfoOfKind(*stored);
                readSections.push_back(*block.name);
                if (HasTextAfterHeader(block.header)) ++losses.textAfterHeaders;
            } else {
                ++losses.linesOutsideSections;
            }
        }

        // The save finds keys by their text, trimmed and without regard to case.
        std::unordered_set<std::string> keys;
        for (const std::string_view line : block.body) {
            const std::string trimmed = TrimWhitespace(line);
            if (trimmed.empty()) continue;
            if (!kind) {
                ++(IsUnclosedHeader(trimmed) ? losses.unclosedHeaders : losses.linesOutsideSections);
                continue;
            }
            // Every line here is a row, even one read oddly, and its key can take another's place.
            const std::string saved = SavedLine(trimmed, *kind);
            const std::string savedKey = saved.substr(0, saved.find('='));
            const bool newKey = keys.insert(ToUpperAscii(TrimWhitespace(savedKey))).second;
            if (IsUnclosedHeader(trimmed)) {
                ++losses.unclosedHeaders;
            } else if (ProfileText::SectionName(saved)) {
                ++losses.entriesSavedAsHeaders;
            } else if (trimmed.find('\0') != std::string::npos) {
                ++losses.linesWithNul;
            } else if (!newKey) {
                ++losses.repeatedKeys;
            }
        }
    }
    return losses;
}
