// libFuzzer target for everything the store does with the settings file's bytes:
// decoding them, reading sections, loading the table with what it notes as lost,
// escaping texts and writing entries and whole files. Each input is split into a
// section name, a key, a value and the file's bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>

#include "store/ContentsEscaping.h"
#include "store/KeyNames.h"
#include "store/KeyText.h"
#include "store/ProfileText.h"
#include "store/SettingsFileText.h"
#include "store/Utf8Text.h"
#include "store/SettingsPath.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"
#include "store/fuzz/Require.h"
#include "store/tests/EncodedText.h"
#include "store/tests/ListRows.h"
#include "store/tests/Latin1CodePage.h"
#include "store/tests/SavedOneWriteAtATime.h"

namespace {

const char* const kStandardSections[] = {kShortcutKinds[0].section, kShortcutKinds[1].section, kShortcutKinds[2].section};
const Latin1CodePage kAnsi;
const std::string kUtf8Mark = "\xEF\xBB\xBF";

bool SameEntries(const std::vector<ProfileEntry>& a, const std::vector<ProfileEntry>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].value != b[i].value) return false;
    }
    return true;
}

std::string SwapCaseAscii(std::string text)
{
    for (char& c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c = static_cast<char>(c ^ 0x20);
    }
    return text;
}

bool HasLineBreak(const std::string& s)
{
    return s.find_first_of("\r\n") != std::string::npos;
}

// Every line ends in CR LF: no LF without its CR, and no text after the last one.
bool EndsEveryLineInCrLf(const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    }
    return bytes.empty() || (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
}

// The text as it should come back from a save and a load: each line break
// (CR LF, LF CR, lone CR, lone LF) as CR LF, everything else unchanged.
std::string BreaksAsCrLf(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += "\r\n";
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
    }
    return out;
}

void CheckEscaping(const std::string& text)
{
    const std::string value = EscapeContents(text);
    REQUIRE(!HasLineBreak(value));
    REQUIRE(UnescapeContents(value) == BreaksAsCrLf(text));
    UnescapeContents(text);  // any value, hand-written ones included, must be safe to read
}

void CheckProfileText(const std::string& file, const std::string& section)
{
    const ProfileText profile(file);
    const std::string& bytes = profile.Bytes();
    REQUIRE(EndsEveryLineInCrLf(bytes));
    const ProfileText again(bytes);
    REQUIRE(again.Bytes() == bytes);
    for (const std::string& name : {std::string(kStandardSections[0]), std::string(kStandardSections[1]),
                                    std::string(kStandardSections[2]), section}) {
        const std::vector<ProfileEntry> entries = profile.ReadSection(name);
        REQUIRE(SameEntries(entries, again.ReadSection(name)));
        for (const ProfileEntry& e : entries) {
            REQUIRE(e.key.find('=') == std::string::npos);
            REQUIRE(e.key == ToUpperAscii(e.key));
            REQUIRE(e.key == TrimLeft(e.key));
            REQUIRE(e.value == TrimRight(e.value));
            REQUIRE(e.key.find('\n') == std::string::npos && e.value.find('\n') == std::string::npos);
        }
    }
}

// Whatever the bytes, the text is UTF-8; unmarked bytes are read as UTF-8 or, when they
// are none, in the code page; and the text goes through every encoding unchanged and
// with nothing noted.
void CheckDecoding(const std::string& bytes)
{
    const SettingsFileText decoded = DecodeSettingsFile(bytes, kAnsi);
    REQUIRE(decoded.unreadableBytes <= bytes.size());
    REQUIRE(IsValidUtf8(decoded.text));
    const bool marked =
        bytes.rfind(kUtf8Mark, 0) == 0 || bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0;
    if (!marked) {
        REQUIRE(decoded.unreadableBytes == 0);
        REQUIRE(decoded.text == (IsValidUtf8(bytes) ? bytes : kAnsi.ToUtf8(bytes)));
    }

    const std::u16string utf16 = Utf16FromUtf8(decoded.text);
    for (const std::string& encoded : {"\xFF\xFE" + Utf16Bytes(utf16, false), "\xFE\xFF" + Utf16Bytes(utf16, true),
                                       kUtf8Mark + decoded.text, EncodeSettingsFile(decoded.text)}) {
        const SettingsFileText again = DecodeSettingsFile(encoded, kAnsi);
        REQUIRE(again.text == decoded.text && again.unreadableBytes == 0);
    }
}

// The rows the list holds for a table.
std::vector<Shortcut> Listed(const ShortcutTable& table)
{
    std::vector<Shortcut> rows;
    for (const Shortcut& s : table) rows.push_back(ListedShortcut(s));
    return rows;
}

// What a save keeps of a record, in a form that survives the save: the key as the
// save compares it, the text's line breaks as the load gives them back.
std::vector<std::string> Kept(const ShortcutTable& table)
{
    std::vector<std::string> kept;
    for (const Shortcut& row : Listed(table)) {
        const bool isText = row.kind == ShortcutKind::Text;
        const std::string payload = isText ? BreaksAsCrLf(row.payload) : row.payload;
        kept.push_back(std::to_string(static_cast<int>(row.kind)) + "|" + ToUpperAscii(TrimWhitespace(row.keyName)) +
                       "|" + payload);
    }
    std::sort(kept.begin(), kept.end());
    return kept;
}

void CheckLoad(const std::string& file)
{
    ShortcutTable untouched(1);
    untouched[0].Assign("A", "kept", ShortcutKind::Path);
    const SettingsLoad missing = LoadShortcuts(std::nullopt, kAnsi, untouched);
    REQUIRE(!missing.loaded && !missing.losses.Any());
    REQUIRE(untouched.size() == 1 && untouched[0].payload == "kept");

    const SettingsFileText decoded = DecodeSettingsFile(file, kAnsi);
    const ProfileText profile(decoded.text);
    struct Expected {
        ProfileEntry entry;
        ShortcutKind kind;
    };
    std::vector<Expected> expected;
    for (const KindInfo& kind : kShortcutKinds) {
        for (const ProfileEntry& e : profile.ReadSection(kind.section)) expected.push_back({e, kind.kind});
    }

    ShortcutTable table(3);
    const SettingsLoad load = LoadShortcuts(file, kAnsi, table);
    REQUIRE(load.loaded == !expected.empty());
    REQUIRE(load.losses.unreadableBytes == decoded.unreadableBytes);
    REQUIRE(table.size() == expected.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Shortcut& s = table[i];
        const Expected& x = expected[i];
        REQUIRE(s.kind == x.kind);
        REQUIRE(s.keyName == ToUpperAscii(TrimWhitespace(x.entry.key)));
        REQUIRE(s.keyCode == KeyCodeFromName(s.keyName));
        REQUIRE(s.shift == (s.keyName.find("SHIFT") != std::string::npos ? 1 : 0));
        REQUIRE(s.ctrl == 1 && s.alt == 1);
        REQUIRE(s.payload ==
                (x.kind == ShortcutKind::Text ? UnescapeContents(x.entry.value) : x.entry.value));
        const std::string listed = ListKeyText(s.keyName);
        REQUIRE(listed.size() <= s.keyName.size());
    }

    // Saving what was listed and loading it again: a load that noted nothing loses
    // nothing, and what the save wrote never looks damaged unless a key of the first
    // load made a header of its line.
    const std::string saved = SettingsFileBytes(Listed(table));
    ShortcutTable reloaded;
    const SettingsLoad again = LoadShortcuts(saved, kAnsi, reloaded);
    if (!load.losses.Any()) REQUIRE(Kept(reloaded) == Kept(table));
    if (load.losses.entriesSavedAsHeaders == 0) REQUIRE(!again.losses.Any());
}

// Rows from the file's lines as they stand, any byte in key and payload, with the
// fuzzed key and value between them.
void CheckSave(const std::string& file, const std::string& key, const std::string& value)
{
    std::vector<Shortcut> rows;
    std::size_t begin = 0;
    while (begin < file.size() && rows.size() < 64) {
        const std::size_t end = std::min(file.find('|', begin), file.size());
        const std::string line = file.substr(begin, end - begin);
        const std::size_t equals = line.find('=');
        // 3 is a kind that is not stored.
        const auto kind = static_cast<ShortcutKind>(line.empty() ? 0 : static_cast<unsigned char>(line.back()) % 4);
        rows.push_back(ListRow({line.substr(0, equals), equals == std::string::npos ? "" : line.substr(equals + 1), kind}));
        if (rows.size() % 4 == 0) rows.push_back(ListRow({key, value, kind}));
        begin = end + 1;
    }
    REQUIRE(SettingsFileBytes(rows) == SavedOneWriteAtATime(rows));
}

// The first entry the key would replace, with the same matching as WriteEntry.
std::optional<std::size_t> FindKey(const std::vector<ProfileEntry>& entries, const std::string& key)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (EqualsNoCase(TrimWhitespace(entries[i].key), TrimWhitespace(key))) return i;
    }
    return std::nullopt;
}

void CheckWrite(const std::string& file, const std::string& section, const std::string& key,
                const std::string& value)
{
    ProfileText profile(file);
    std::vector<std::vector<ProfileEntry>> before;
    for (const char* name : kStandardSections) before.push_back(profile.ReadSection(name));
    const std::vector<ProfileEntry> sectionBefore = profile.ReadSection(section);

    profile.WriteEntry(section, key, value);
    REQUIRE(EndsEveryLineInCrLf(profile.Bytes()));
    REQUIRE(ProfileText(profile.Bytes()).Bytes() == profile.Bytes());

    // Only for what the save really writes can the result be foretold: one line
    // under the section, whose key cannot be read as an entry or header of its own.
    const std::string trimmedKey = TrimWhitespace(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || trimmedKey.empty() ||
        trimmedKey.find('=') != std::string::npos || trimmedKey[0] == '[') {
        return;
    }
    const ProfileEntry written{ToUpperAscii(TrimLeft(key)), TrimRight(value)};
    std::vector<ProfileEntry> sectionAfter = sectionBefore;
    const std::optional<std::size_t> at = FindKey(sectionBefore, key);
    if (at) {
        sectionAfter[*at] = written;
    } else {
        sectionAfter.push_back(written);
    }
    REQUIRE(SameEntries(profile.ReadSection(section), sectionAfter));

    // The same key in another letter case and with blanks around it, in the same
    // section named in another case, replaces that entry.
    const std::string otherValue = value + "2";
    profile.WriteEntry(" " + SwapCaseAscii(section) + "\t", " " + SwapCaseAscii(key) + " ", otherValue);
    sectionAfter[at ? *at : sectionAfter.size() - 1] = {ToUpperAscii(TrimLeft(key)) + " ", otherValue};
    REQUIRE(SameEntries(profile.ReadSection(section), sectionAfter));

    for (std::size_t i = 0; i < before.size(); ++i) {
        if (EqualsNoCase(TrimWhitespace(kStandardSections[i]), TrimWhitespace(section))) continue;
        REQUIRE(SameEntries(profile.ReadSection(kStandardSections[i]), before[i]));
    }
}

void CheckNames(const std::string& text)
{
    KeyCodeFromName(text);
    Shortcut s;
    s.Assign(text, text, ShortcutKind::Text);
    REQUIRE(s.keyCode == KeyCodeFromName(s.keyName));
    REQUIRE(ListKeyText(text).size() <= text.size());
    PathHasDrive(text);
    const std::string folder = FolderOfFile(text);
    REQUIRE(text.compare(0, folder.size(), folder) == 0);
    REQUIRE(SettingsPathForExecutable(text) == folder + "keyset.ini");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(32);
    const std::string key = input.ConsumeRandomLengthString(32);
    const std::string value = input.ConsumeRandomLengthString(128);
    const std::string file = input.ConsumeRemainingBytesAsString();

    CheckDecoding(file);
    CheckProfileText(file, section);
    CheckLoad(file);
    CheckSave(file, key, value);
    CheckEscaping(value);
    CheckEscaping(file);
    CheckWrite(file, section, key, value);
    CheckNames(key);
    return 0;
}
