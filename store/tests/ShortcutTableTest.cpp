#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/ContentsEscaping.h"
#include "store/KeyNames.h"
#include "store/KeyText.h"
#include "store/ProfileText.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"
#include "store/tests/EncodedText.h"
#include "store/tests/ListRows.h"
#include "store/tests/Latin1CodePage.h"

namespace {

using namespace std::string_literals;

constexpr ShortcutKind kPath = ShortcutKind::Path;
constexpr ShortcutKind kText = ShortcutKind::Text;
constexpr ShortcutKind kGraphic = ShortcutKind::Graphic;

const Latin1CodePage kAnsi;

const std::string kTypicalFile = "[paths]\r\n"
                                 "A=d:\\work\\reports\r\n"
                                 "M=d:\\work\\minutes.doc\r\n"
                                 "[contents]\r\n"
                                 "B=Kind regards,{}The support desk\r\n"
                                 "[graphics]\r\n"
                                 "F2=d:\\tools\\images\\logo.bmp\r\n";

using Row = RowText;

std::string SaveRows(const std::vector<Row>& rows) { return SettingsFileBytes(ListRows(rows)); }

ShortcutTable Load(const std::string& bytes)
{
    ShortcutTable table;
    EXPECT_TRUE(LoadShortcuts(bytes, kAnsi, table).loaded);
    return table;
}

ShortcutTable OneRecord()
{
    ShortcutTable table(1);
    table[0].Assign("Q", "previous", kPath);
    return table;
}

}  // namespace

TEST(ShortcutKinds, OneSectionPerStoredKind)
{
    const struct {
        ShortcutKind kind;
        const char* section;
        bool escaped;
    } kinds[] = {{kPath, "paths", false}, {kText, "contents", true}, {kGraphic, "graphics", false}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.section);
        ASSERT_NE(InfoOfKind(k.kind), nullptr);
        EXPECT_STREQ(InfoOfKind(k.kind)->section, k.section);
        EXPECT_EQ(InfoOfKind(k.kind)->escaped, k.escaped);
        EXPECT_EQ(KindOfSection(ToUpperAscii(k.section)), k.kind);
    }
    EXPECT_EQ(InfoOfKind(kUnknownKind), nullptr);
    EXPECT_EQ(KindOfSection("other"), std::nullopt);
}

TEST(LoadShortcuts, TheTypicalFile)
{
    const ShortcutTable table = Load(kTypicalFile);
    ASSERT_EQ(table.size(), 4u);
    // paths, then graphics, then contents, whatever the order in the file
    EXPECT_EQ(table[0].keyName, "A");
    EXPECT_EQ(table[0].keyCode, 65);
    EXPECT_EQ(table[0].kind, kPath);
    EXPECT_EQ(table[0].payload, "d:\\work\\reports");
    EXPECT_EQ(table[1].keyName, "M");
    EXPECT_EQ(table[1].payload, "d:\\work\\minutes.doc");
    EXPECT_EQ(table[2].keyName, "F2");
    EXPECT_EQ(table[2].keyCode, 113);
    EXPECT_EQ(table[2].kind, kGraphic);
    EXPECT_EQ(table[2].payload, "d:\\tools\\images\\logo.bmp");
    EXPECT_EQ(table[3].keyName, "B");
    EXPECT_EQ(table[3].kind, kText);
    EXPECT_EQ(table[3].payload, "Kind regards,\r\nThe support desk");
    for (const Shortcut& s : table) {
        EXPECT_EQ(s.shift, 0);
        EXPECT_EQ(s.ctrl, 1);
        EXPECT_EQ(s.alt, 1);
    }
}

TEST(LoadShortcuts, AMissingFileChangesNothing)
{
    ShortcutTable table = OneRecord();
    EXPECT_FALSE(LoadShortcuts(std::nullopt, kAnsi, table).loaded);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].payload, "previous");
}

TEST(LoadShortcuts, AFileWithoutEntriesEmptiesTheTable)
{
    for (const std::string bytes : {"", "\r\n", "[paths]\r\n[contents]\r\n\r\n[graphics]\r\n",
                                    "[other]\r\nA=x\r\n", "A=before any section\r\n"}) {
        SCOPED_TRACE("file \"" + bytes + "\"");
        ShortcutTable table = OneRecord();
        EXPECT_FALSE(LoadShortcuts(bytes, kAnsi, table).loaded);
        EXPECT_TRUE(table.empty());
    }
}

TEST(LoadShortcuts, ATableIsReplacedWhole)
{
    ShortcutTable table = OneRecord();
    EXPECT_TRUE(LoadShortcuts(std::string("[contents]\r\nC=x\r\n"), kAnsi, table).loaded);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].keyName, "C");
    EXPECT_EQ(table[0].kind, kText);
}

TEST(LoadShortcuts, GrowsBeyondAHundredEntries)
{
    std::string bytes = "[contents]\r\n";
    for (int i = 0; i < 150; ++i) bytes += "T" + std::to_string(i) + "=text " + std::to_string(i) + "\r\n";
    bytes += "[paths]\r\n";
    for (int i = 0; i < 60; ++i) bytes += "P" + std::to_string(i) + "=d:\\" + std::to_string(i) + "\r\n";
    const ShortcutTable table = Load(bytes);
    ASSERT_EQ(table.size(), 210u);
    EXPECT_EQ(table[0].keyName, "P0");
    EXPECT_EQ(table[59].payload, "d:\\59");
    EXPECT_EQ(table[60].keyName, "T0");
    EXPECT_EQ(table[209].keyName, "T149");
    EXPECT_EQ(table[209].payload, "text 149");
}

TEST(LoadShortcuts, OneKeyInTwoSectionsGivesTwoRecordsPathsFirst)
{
    const ShortcutTable table = Load("[contents]\r\nB=text\r\n[paths]\r\nB=d:\\b\r\n");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].kind, kPath);
    EXPECT_EQ(table[1].kind, kText);
    EXPECT_EQ(table[0].keyCode, 66);
    EXPECT_EQ(table[1].keyCode, 66);
}

TEST(LoadShortcuts, HandWrittenLines)
{
    const ShortcutTable table = Load("[PATHS]\r\n"
                                     "a=d:\\lower\r\n"
                                     "   k  =  d:\\blanks kept after the equals sign   \r\n"
                                     " 7 =x\n"
                                     "shift+s=d:\\s\r\n"
                                     "no key here\r\n");
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0].keyName, "A");
    EXPECT_EQ(table[0].keyCode, 65);
    EXPECT_EQ(table[1].keyName, "K");
    EXPECT_EQ(table[1].keyCode, 75);
    EXPECT_EQ(table[1].payload, "  d:\\blanks kept after the equals sign");
    EXPECT_EQ(table[2].keyName, "7");
    EXPECT_EQ(table[2].keyCode, 55);
    EXPECT_EQ(table[3].keyName, "SHIFT+S");
    EXPECT_EQ(table[3].shift, 1);
    EXPECT_EQ(table[4].keyName, "");
    EXPECT_EQ(table[4].keyCode, -1);
    EXPECT_EQ(table[4].payload, "no key here");
}

TEST(LoadShortcuts, ContentsAreUnescaped)
{
    const ShortcutTable table = Load("[contents]\r\nA=Hello{}World\r\nB={{x}\r\nC={x}\r\nD=ends with {\r\n");
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0].payload, "Hello\r\nWorld");
    EXPECT_EQ(table[1].payload, "{x}");
    EXPECT_EQ(table[2].payload, "x}");
    EXPECT_EQ(table[3].payload, "ends with \r\n");
}

TEST(LoadShortcuts, PathsAndGraphicsAreNotUnescaped)
{
    const ShortcutTable table = Load("[paths]\r\nA=d:\\{x}\r\n[graphics]\r\nB=d:\\{}.bmp\r\n");
    EXPECT_EQ(table[0].payload, "d:\\{x}");
    EXPECT_EQ(table[1].payload, "d:\\{}.bmp");
}

TEST(SaveAndLoad, TheTypicalFileIsWrittenExactly)
{
    // The list shows rows in ascending key code: A, B, M, F2.
    const std::vector<Row> rows = {
        {"A", "d:\\work\\reports", kPath},
        {"B", "Kind regards,\r\nThe support desk", kText},
        {"M", "d:\\work\\minutes.doc", kPath},
        {"F2", "d:\\tools\\images\\logo.bmp", kGraphic},
    };
    EXPECT_EQ(SaveRows(rows), kTypicalFile);
}

TEST(SaveAndLoad, AnEmptyListGivesAnEmptyFileThatLoadsNothing)
{
    const std::string bytes = SaveRows({});
    EXPECT_EQ(bytes, "");
    ShortcutTable table = OneRecord();
    EXPECT_FALSE(LoadShortcuts(bytes, kAnsi, table).loaded);
    EXPECT_TRUE(table.empty());
}

TEST(SaveAndLoad, RowsComeBackAsRecords)
{
    const std::vector<Row> rows = {
        {"0", "mailto:someone@example.com", kPath},
        {"B", "two\nlines", kText},
        {"C", "{braces} {{ }}", kText},
        {"D", "ftp://host/x", kPath},
        {"F1", "d:\\images\\a.bmp", kGraphic},
        {"F12", "", kText},
        {"X", "a kind that names none is not saved", kUnknownKind},
    };
    const std::string bytes = SaveRows(rows);
    EXPECT_EQ(SaveRows(rows), bytes) << "saving twice writes the same file";
    const ShortcutTable table = Load(bytes);
    const struct {
        std::string key;
        std::string payload;
        ShortcutKind kind;
    } expected[] = {
        {"0", "mailto:someone@example.com", kPath},
        {"D", "ftp://host/x", kPath},
        {"F1", "d:\\images\\a.bmp", kGraphic},
        {"B", "two\r\nlines", kText},
        {"C", "{braces} {{ }}", kText},
        {"F12", "", kText},
    };
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[i].keyName, expected[i].key);
        EXPECT_EQ(table[i].payload, expected[i].payload);
        EXPECT_EQ(table[i].kind, expected[i].kind);
    }
}

// A name written by hand with modifiers never fires, is listed under its last
// part, and fires once the list has been saved under that name.
TEST(SaveAndLoad, AModifierPrefixIsDroppedByTheNextSave)
{
    const ShortcutTable first = Load("[paths]\r\nCTRL+ALT+k=d:\\k\r\n");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].keyCode, -1);
    const std::string listed = ListKeyText(first[0].keyName);
    EXPECT_EQ(listed, "K");
    const ShortcutTable second = Load(SaveRows({{listed, first[0].payload, first[0].kind}}));
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].keyCode, 75);
    EXPECT_EQ(second[0].payload, "d:\\k");
}

namespace {

std::string Describe(const SettingsLosses& l)
{
    return "unreadable " + std::to_string(l.unreadableBytes) + ", unclosed " + std::to_string(l.unclosedHeaders) +
           ", outside " + std::to_string(l.linesOutsideSections) + ", after header " +
           std::to_string(l.textAfterHeaders) + ", saved as header " + std::to_string(l.entriesSavedAsHeaders) +
           ", NUL " + std::to_string(l.linesWithNul) + ", repeated " + std::to_string(l.repeatedKeys);
}

}  // namespace

// Every way the file is stored reads as the same text, in UTF-8, with nothing lost: the
// profile functions write UTF-16 with a mark, editors UTF-8 with or without one, the
// program of old the ANSI code page.
TEST(LoadShortcuts, EveryEncodingReadsAsTheSameText)
{
    const std::string text = "[paths]\r\nA=d:\\Caf\xC3\xA9 \xD0\xA2\xD0\xB5\xD1\x81\xD1\x82\r\n"
                             "[contents]\r\nB=\xE2\x82\xAC \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80\r\n";
    const std::u16string utf16 = u"[paths]\r\nA=d:\\Caf\u00E9 \u0422\u0435\u0441\u0442\r\n"
                                 u"[contents]\r\nB=\u20AC \u2014 \u65E5\u672C\u8A9E \U0001F600\r\n";
    const struct {
        std::string name, bytes, text;
    } cases[] = {
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + text, text},
        {"UTF-8 without one", text, text},
        {"UTF-16LE", "\xFF\xFE" + Utf16Bytes(utf16, false), text},
        {"UTF-16BE", "\xFE\xFF" + Utf16Bytes(utf16, true), text},
        {"ASCII", kTypicalFile, kTypicalFile},
        // Not UTF-8: the code page's, as the program of old wrote it.
        {"ANSI", "[paths]\r\nA=d:\\Caf\xE9\r\n", "[paths]\r\nA=d:\\Caf\xC3\xA9\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShortcutTable table;
        const SettingsLoad load = LoadShortcuts(c.bytes, kAnsi, table);
        EXPECT_TRUE(load.loaded);
        EXPECT_FALSE(load.losses.Any()) << Describe(load.losses);
        const ShortcutTable expected = Load(c.text);
        ASSERT_EQ(table.size(), expected.size());
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_EQ(table[i].keyName, expected[i].keyName);
            EXPECT_EQ(table[i].payload, expected[i].payload);
            EXPECT_EQ(table[i].kind, expected[i].kind);
        }
    }
}

// A file of ASCII is written byte for byte as files of old; any other as UTF-8 after its
// mark, which the load reads back whole.
TEST(SaveAndLoad, AnAsciiFileStaysAsItWasAndAnyOtherIsUtf8WithItsMark)
{
    EXPECT_EQ(SaveRows({{"A", "d:\\work\\reports", kPath}}), "[paths]\r\nA=d:\\work\\reports\r\n");
    const std::string payload = "C:\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xF0\x9F\x98\x80";
    const std::string bytes = SaveRows({{"A", payload, kPath}, {"B", "caf\xC3\xA9", kText}});
    EXPECT_EQ(bytes, "\xEF\xBB\xBF[paths]\r\nA=" + payload + "\r\n[contents]\r\nB=caf\xC3\xA9\r\n");
    ShortcutTable table;
    const SettingsLoad load = LoadShortcuts(bytes, kAnsi, table);
    EXPECT_FALSE(load.losses.Any()) << Describe(load.losses);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].payload, payload);
    EXPECT_EQ(table[1].payload, "caf\xC3\xA9");
}

TEST(LoadShortcuts, NotesWhatASaveWouldNotWriteBack)
{
    SettingsLosses none, unreadable, brokenUtf8, unclosed, unclosedInside, outside2, afterHeader, asHeaders, nul,
        repeated, repeatedNoKey;
    unreadable.unreadableBytes = 3;  // an odd byte and a lone surrogate
    brokenUtf8.unreadableBytes = 2;
    unclosed.unclosedHeaders = 1;
    unclosed.linesOutsideSections = 1;
    unclosedInside.unclosedHeaders = 1;
    outside2.linesOutsideSections = 2;
    afterHeader.textAfterHeaders = 1;
    afterHeader.linesOutsideSections = 1;
    asHeaders.entriesSavedAsHeaders = 2;
    nul.linesWithNul = 2;
    repeated.repeatedKeys = 3;
    repeatedNoKey.repeatedKeys = 2;
    const struct {
        std::string name, bytes;
        SettingsLosses losses;
        std::size_t records;
    } cases[] = {
        {"blank lines, letter case, blanks around keys",
         "\r\n \t\r\n[PATHS]\r\n  a  =  d:\\x  \r\n\r\n[ contents ]\r\nb=y\r\nno key\r\n[x=entry\r\n", none, 4},
        {"lines before the first header", "A=x\r\n; note\r\n[paths]\r\nB=y\r\n", outside2, 1},
        {"an unknown section", "[paths]\r\nA=1\r\n[other]\r\nB=2\r\n\r\n", outside2, 1},
        {"a repeated section", "[paths]\r\nA=1\r\n[contents]\r\nB=2\r\n[Paths]\r\nC=3\r\n", outside2, 2},
        {"an unclosed header first", "[contents\r\nB=x\r\n", unclosed, 0},
        {"an unclosed header in a section", "[paths]\r\nA=1\r\n[contents\r\nB=text\r\n", unclosedInside, 3},
        {"text after a header", "[paths] old ones\r\nA=1\r\n[other] x\r\n", afterHeader, 1},
        {"keys the list shows as headers", "[paths]\r\nA+[X]=1\r\nB=2\r\nc+[y=z]\r\n", asHeaders, 3},
        {"NUL characters", "[paths]\r\nA=x\0y\r\n\0\r\nB=z\r\n"s, nul, 3},
        {"repeated keys", "[paths]\r\nA=1\r\na=2\r\n  A =3\r\nCTRL+ALT+A=4\r\nB=5\r\n[contents]\r\nA=6\r\n", repeated,
         6},
        {"lines without a key", "[paths]\r\nno key\r\n; comment\r\n=x\r\n", repeatedNoKey, 3},
        {"broken UTF-16", "\xFF\xFE" + Utf16Bytes(u"[paths]\r\nA=\xDC00\r\n", false) + "x", unreadable, 1},
        // Marked as UTF-8, so no code page's: the two bytes are no character.
        {"broken UTF-8 after its mark", "\xEF\xBB\xBF[paths]\r\nA=caf\xE9\xFF\r\n", brokenUtf8, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShortcutTable table;
        const SettingsLoad load = LoadShortcuts(c.bytes, kAnsi, table);
        EXPECT_EQ(Describe(load.losses), Describe(c.losses));
        EXPECT_EQ(load.losses.Any(), c.losses.Any());
        EXPECT_EQ(table.size(), c.records);
    }
}

// A hand-edited file of 5,000 entries over the 48 keys: the save writes 48.
TEST(LoadShortcuts, NotesEveryRepeatOfAKey)
{
    std::string bytes = "[contents]\r\n";
    for (int i = 0; i < 5000; ++i) bytes += KeyNames()[i % kKeyNameCount] + "=text " + std::to_string(i) + "\r\n";
    ShortcutTable table;
    const SettingsLoad load = LoadShortcuts(bytes, kAnsi, table);
    EXPECT_EQ(table.size(), 5000u);
    EXPECT_EQ(load.losses.repeatedKeys, 5000u - kKeyNameCount);
}

// What the program itself writes must never look damaged, or every save would keep a copy.
TEST(SaveAndLoad, WhatTheSaveWritesLoadsWithoutLosses)
{
    std::vector<Row> rows;
    const std::string payloads[] = {"d:\\a [b] = c;", "two\r\nlines {x} {{", "", " [x] ", "=", "mailto:a@b.c"};
    for (std::size_t i = 0; i < kKeyNameCount; ++i)
        rows.push_back({KeyNames()[i], payloads[i % std::size(payloads)], static_cast<ShortcutKind>(i % 3)});
    const std::string bytes = SaveRows(rows);
    ShortcutTable table;
    const SettingsLoad load = LoadShortcuts(bytes, kAnsi, table);
    EXPECT_FALSE(load.losses.Any()) << Describe(load.losses);
    EXPECT_EQ(table.size(), rows.size());
    EXPECT_FALSE(LoadShortcuts(SaveRows({}), kAnsi, table).losses.Any());
}
