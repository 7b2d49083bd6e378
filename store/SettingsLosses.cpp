#include "store/SettingsLosses.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "store/ContentsEscaping.h"
#include "store/KeyText.h"
#include "store/ProfileText.h"
#include "store/ShortcutTable.h"

namespace {

bool IsReadSection(const std::string& name)
{
    for (const char* section : {kPathsSection, kContentsSection, kGraphicsSection}) {
        if (EqualsNoCase(name, section)) return true;
    }
    return false;
}

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

std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// A line of a read section as the save writes it back: its record's key name
// (trimmed, upper-cased) as the list shows it, and the value as the record holds
// it, each cut at a NUL as the list cuts it; texts escaped again.
struct SavedLine {
    std::string key;
    std::string line;
};

SavedLine Saved(std::string_view trimmedLine, bool isText)
{
    const std::size_t equals = trimmedLine.find('=');
    const bool hasKey = equals != std::string_view::npos;
    const std::string_view rawKey = hasKey ? trimmedLine.substr(0, equals) : std::string_view();
    const std::string key = CutAtNul(ListKeyText(ToUpperAscii(TrimWhitespace(rawKey))));
    const std::string value(hasKey ? trimmedLine.substr(equals + 1) : trimmedLine);
    const std::string payload = CutAtNul(isText ? UnescapeContents(value) : value);
    return {key, key + "=" + (isText ? EscapeContents(payload) : payload)};
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
    return unreadableBytes > 0 || unmappableCharacters || unclosedHeaders > 0 || linesOutsideSections > 0 ||
           textAfterHeaders > 0 || entriesSavedAsHeaders > 0 || linesWithNul > 0 || repeatedKeys > 0;
}

SettingsLosses FindLineLosses(const ProfileText& text)
{
    SettingsLosses losses;
    std::vector<std::string> readSections;
    for (const ProfileBlock& block : text.Blocks()) {
        bool read = false;
        if (block.name) {
            read = IsReadSection(*block.name) && !Contains(readSections, *block.name);
            if (read) {
                readSections.push_back(*block.name);
                if (HasTextAfterHeader(block.header)) ++losses.textAfterHeaders;
            } else {
                ++losses.linesOutsideSections;
            }
        }

        const bool isText = read && EqualsNoCase(*block.name, kContentsSection);
        // The save finds keys by their text, trimmed and without regard to case.
        std::unordered_set<std::string> keys;
        for (const std::string_view line : block.body) {
            const std::string trimmed = TrimWhitespace(line);
            if (trimmed.empty()) continue;
            if (!read) {
                ++(IsUnclosedHeader(trimmed) ? losses.unclosedHeaders : losses.linesOutsideSections);
                continue;
            }
            // Every line here is a row, even one read oddly, and its key can take another's place.
            const SavedLine saved = Saved(trimmed, isText);
            const bool newKey = keys.insert(ToUpperAscii(TrimWhitespace(saved.key))).second;
            if (IsUnclosedHeader(trimmed)) {
                ++losses.unclosedHeaders;
            } else if (ProfileText::SectionName(saved.line)) {
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
