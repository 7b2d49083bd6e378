#include <string>

#include <gtest/gtest.h>

#include "store/SettingsFileText.h"
#include "store/tests/EncodedText.h"
#include "store/tests/Latin1CodePage.h"

namespace {

using namespace std::string_literals;

const std::string kLittleEndianMark = "\xFF\xFE";
const std::string kBigEndianMark = "\xFE\xFF";
const std::string kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

TEST(DecodeSettingsFile, ByteOrderMarks)
{
    const struct {
        std::string bytes;
        std::string text;
        std::size_t unreadable;
        bool unmappable;
    } cases[] = {
        // no mark: ANSI bytes as they are, whatever they hold
        {"", "", 0, false},
        {"[paths]\r\nA=caf\xE9\r\n", "[paths]\r\nA=caf\xE9\r\n", 0, false},
        {"A=\xEF\xBB\xBF", "A=\xEF\xBB\xBF", 0, false},  // a mark past the start is text
        {"\xFF", "\xFF", 0, false},
        // UTF-8
        {kUtf8Mark, "", 0, false},
        {kUtf8Mark + "[paths]\r\nA=caf\xC3\xA9", "[paths]\r\nA=caf\xE9", 0, false},
        {kUtf8Mark + "A=\xC5\x81" "d\xC5\xBA", "A=?d?", 0, true},         // not in the code page
        {kUtf8Mark + "A=\xF0\x9F\x98\x80!", "A=?!", 0, true},             // beyond 16 bits
        {kUtf8Mark + "A=caf\xE9!", "A=caf?!", 1, false},                 // a Latin-1 byte is no UTF-8
        {kUtf8Mark + "\xC0\xAF\xED\xA0\x80", "?????", 5, false},          // overlong, a surrogate
        {kUtf8Mark + "\xF4\x90\x80\x80", "????", 4, false},               // past U+10FFFF
        {kUtf8Mark + "A\xE2\x82", "A??", 2, false},                       // cut short at the end
        // UTF-16, both byte orders
        {kLittleEndianMark, "", 0, false},
        {kLittleEndianMark + Utf16Bytes(u"[paths]\r\nA=caf\u00E9\r\n", false), "[paths]\r\nA=caf\xE9\r\n", 0, false},
        {kBigEndianMark + Utf16Bytes(u"[paths]\r\nA=caf\u00E9\r\n", true), "[paths]\r\nA=caf\xE9\r\n", 0, false},
        {kLittleEndianMark + Utf16Bytes(u"A=\u0141", false), "A=?", 0, true},
        {kLittleEndianMark + Utf16Bytes(u"A=\U0001F600", false), "A=?", 0, true},
        {kLittleEndianMark + Utf16Bytes(u"A=x", false) + "y", "A=x", 1, false},  // odd length
        {kLittleEndianMark + Utf16Bytes(u"A=\xD83Dx\xDE00", false), "A=?x?", 4, false},  // lone surrogates
        {kBigEndianMark + Utf16Bytes(u"A=\xD83D", true), "A=?", 2, false},              // a pair cut at the end
        {kLittleEndianMark + Utf16Bytes(u"A=1\0B"s, false), "A=1\0B"s, 0, false},
    };
    const Latin1CodePage ansi;
    for (const auto& c : cases) {
        SCOPED_TRACE("bytes \"" + c.bytes + "\"");
        const SettingsFileText decoded = DecodeSettingsFile(c.bytes, ansi);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.unreadableBytes, c.unreadable);
        EXPECT_EQ(decoded.unmappableCharacters, c.unmappable);
    }
}
