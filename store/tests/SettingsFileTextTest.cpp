#include <string>

#include <gtest/gtest.h>

#include "store/SettingsFileText.h"
#include "store/Utf8Text.h"
#include "store/tests/EncodedText.h"
#include "store/tests/Latin1CodePage.h"

namespace {

using namespace std::string_literals;

const std::string kLittleEndianMark = "\xFF\xFE";
const std::string kBigEndianMark = "\xFE\xFF";
const std::string kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

TEST(DecodeSettingsFile, MarksUtf8AndTheCodePage)
{
    using E = SettingsEncoding;
    const std::string r = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
    const struct {
        std::string bytes;
        std::string text;
        E encoding;
        std::size_t unreadable;
    } cases[] = {
        // no mark: UTF-8 when every byte belongs to a well-formed sequence, else the code page
        {"", "", E::Utf8, 0},
        {"[paths]\r\nA=caf\xC3\xA9\r\n", "[paths]\r\nA=caf\xC3\xA9\r\n", E::Utf8, 0},
        {"[paths]\r\nA=caf\xE9\r\n", "[paths]\r\nA=caf\xC3\xA9\r\n", E::Ansi, 0},
        {"A=\xC3\xA9\xE9", "A=\xC3\x83\xC2\xA9\xC3\xA9", E::Ansi, 0},        // one stray byte makes all of it ANSI
        {"A=\xEF\xBB\xBF", "A=\xEF\xBB\xBF", E::Utf8, 0},                    // a mark past the start is text
        {"\xC0\xAF", "\xC3\x80\xC2\xAF", E::Ansi, 0},                        // overlong: no UTF-8
        // UTF-8 after its mark: what is no character says so
        {kUtf8Mark, "", E::Utf8WithMark, 0},
        {kUtf8Mark + "A=\xF0\x9F\x98\x80!", "A=\xF0\x9F\x98\x80!", E::Utf8WithMark, 0},
        {kUtf8Mark + "A=caf\xE9!", "A=caf" + r + "!", E::Utf8WithMark, 1},
        {kUtf8Mark + "\xC0\xAF\xED\xA0\x80", r + r + r + r + r, E::Utf8WithMark, 5},  // overlong, a surrogate
        {kUtf8Mark + "\xF4\x90\x80\x80", r + r + r + r, E::Utf8WithMark, 4},           // past U+10FFFF
        {kUtf8Mark + "A\xE2\x82", "A" + r + r, E::Utf8WithMark, 2},                   // cut short at the end
        // UTF-16, both byte orders
        {kLittleEndianMark, "", E::Utf16LittleEndian, 0},
        {kLittleEndianMark + Utf16Bytes(u"A=caf\u00E9 \U0001F600\r\n", false), "A=caf\xC3\xA9 \xF0\x9F\x98\x80\r\n",
         E::Utf16LittleEndian, 0},
        {kBigEndianMark + Utf16Bytes(u"A=\u0422\u20AC", true), "A=\xD0\xA2\xE2\x82\xAC", E::Utf16BigEndian, 0},
        {kLittleEndianMark + Utf16Bytes(u"A=x", false) + "y", "A=x", E::Utf16LittleEndian, 1},  // odd length
        {kLittleEndianMark + Utf16Bytes(u"A=\xD83Dx\xDE00", false), "A=" + r + "x" + r, E::Utf16LittleEndian, 4},
        {kBigEndianMark + Utf16Bytes(u"A=\xD83D", true), "A=" + r, E::Utf16BigEndian, 2},  // a pair cut at the end
        {kLittleEndianMark + Utf16Bytes(u"A=1\0B"s, false), "A=1\0B"s, E::Utf16LittleEndian, 0},
    };
    const Latin1CodePage ansi;
    for (const auto& c : cases) {
        SCOPED_TRACE("bytes \"" + c.bytes + "\"");
        const SettingsFileText decoded = DecodeSettingsFile(c.bytes, ansi);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.unreadableBytes, c.unreadable);
    }
}

TEST(Utf8Text, CountsAsATextBoxCounts)
{
    const struct {
        std::string text;
        std::size_t units;
        bool valid;
    } cases[] = {
        {"", 0, true},
        {"abc", 3, true},
        {"caf\xC3\xA9", 4, true},
        {"\xE6\x97\xA5\xE6\x9C\xAC", 2, true},
        {"\xF0\x9F\x98\x80", 2, true},  // beyond U+FFFF: a surrogate pair
        {"a\xE9z", 3, false},           // a stray byte counts once
        {"\xED\xA0\x80", 3, false},     // an encoded surrogate is no character
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Utf16Length(c.text), c.units);
        EXPECT_EQ(IsValidUtf8(c.text), c.valid);
    }
}
