#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"
#include "store/tests/ListRows.h"
#include "store/tests/SavedOneWriteAtATime.h"

namespace {

using namespace std::string_literals;

std::string Describe(const std::vector<Shortcut>& rows)
{
    std::string out;
    for (const Shortcut& row : rows)
        out += "{\"" + row.keyName + "\", \"" + row.payload + "\", " + std::to_string(static_cast<int>(row.kind)) + "} ";
    return out;
}

constexpr ShortcutKind kPath = ShortcutKind::Path;
constexpr ShortcutKind kText = ShortcutKind::Text;
constexpr ShortcutKind kGraphic = ShortcutKind::Graphic;

}  // namespace

// Each set stands for a way in which later writes depend on what earlier ones left.
TEST(SettingsFileBytes, WritesWhatOneWriteAtATimeWrote)
{
    const std::vector<std::vector<RowText>> sets = {
        {},
        {{"A", "d:\\a", kPath}, {"B", "two\r\nlines", kText}, {"F2", "d:\\b.bmp", kGraphic}, {"C", "x", kUnknownKind}},
        // the same key again, in another case and with blanks: one line, the last value
        {{"A", "1", kPath}, {"a", "2", kPath}, {" A\t", "3", kPath}, {"B", "4", kPath}, {"A", "5", kText}},
        // keys that are found by their part before "=", and keys never found
        {{"A=B", "1", kPath}, {"A", "2", kPath}, {"A=B", "3", kPath}, {"", "4", kPath}, {" ", "5", kPath}},
        // a key that is a header: later writes to that section go under it
        {{"A", "1", kPath}, {"[contents]", "x", kPath}, {"B", "2", kText}, {"C", "3", kPath}},
        {{"A", "1", kText}, {"[PATHS]", "x", kText}, {"B", "2", kPath}, {"[graphics] ", "", kPath},
         {"G", "", kGraphic}},
        {{"A", "1", kPath}, {"[paths]", "again", kPath}, {"[other]", "", kPath}, {"B", "2", kPath}},
        {{"A", "1", kPath}, {"C", "1", kText}, {"[contents]", "x", kPath}, {"D", "2", kText}, {"C", "3", kText}},
        // "[x" is an entry; the value "]" makes the same key a header in its place
        {{"[x", "1", kPath}, {"B", "2", kPath}, {"[X", "a]", kPath}, {"C", "3", kPath}, {"B", "4", kPath}},
        // line breaks in keys and values make lines, blank ones and headers among them
        {{"A", "1\n\n", kPath}, {"B", "2", kPath}, {"K\n[contents]\nL", "v", kPath}, {"M", "3", kText},
         {"N", "4", kPath}, {"A", "x\r\ny", kPath}},
        {{"A", "1\n\n", kPath}, {"[x]", "", kPath}, {"B", "2", kPath}, {"[contents]", "", kPath}, {"C", "3", kText}},
        {{"\n", "", kGraphic}, {"A", "\n[paths]\nB=1", kGraphic}, {"B", "2", kPath}, {"C\r", "3\r", kPath}},
        {{"A\0B"s, "w\0x"s, kPath}, {"A", "2", kPath}, {"[", "]", kPath}, {"x+[y]", "z", kPath}, {"[", "", kPath}},
    };
    for (const std::vector<RowText>& texts : sets) {
        const std::vector<Shortcut> rows = ListRows(texts);
        SCOPED_TRACE(Describe(rows));
        EXPECT_EQ(SettingsFileBytes(rows), SavedOneWriteAtATime(rows));
    }
}

TEST(SettingsFileBytes, WritesWhatOneWriteAtATimeWroteForRandomRows)
{
    const std::vector<std::string> keys = {
        "A", "a", " A ", "A\t", "B", "F1", "f1 ", "", " ", "=", "A=B", "a=b", "[X]", "[x", "[X", "[PATHS]",
        " [contents]", "[Graphics]x", "x+[y]", "K\n[paths]", "L\r", "\n", "M\r\nN", "A\0B"s, "[", "]", ";c",
    };
    const std::vector<std::string> payloads = {
        "", "v", " v ", "a]", "x\ny", "x\r\ny", "\n[contents]\nB=z", "\n\n", "[paths]", "=", "{", "]", "\r",
        "tail\r", "w\0x"s, "d:\\work\\reports", "{}", "\n \n",
    };
    std::mt19937 random(20240611);
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    for (int set = 0; set < 2000; ++set) {
        std::vector<Shortcut> rows(pick(set % 40 == 0 ? 200 : 25));
        for (Shortcut& row : rows) {
            row.keyName = keys[pick(keys.size())];
            row.payload = payloads[pick(payloads.size())];
            row.kind = static_cast<ShortcutKind>(pick(4));  // 3 is a kind that is not stored
        }
        ASSERT_EQ(SettingsFileBytes(rows), SavedOneWriteAtATime(rows)) << Describe(rows);
    }
}
