#include <string>

#include <gtest/gtest.h>

#include "store/ContentsEscaping.h"

TEST(ContentsEscaping, Escape)
{
    const struct {
        std::string text, value;
    } cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"Hello\r\nWorld", "Hello{}World"},
        {"Hello\n\rWorld", "Hello{}World"},
        {"Hello\rWorld", "Hello{}World"},
        {"Hello\nWorld", "Hello{}World"},
        {"a\r\n\r\nb", "a{}{}b"},
        {"a\n\nb", "a{}{}b"},
        {"a\r\rb", "a{}{}b"},
        {"a\r\n\rb", "a{}{}b"},  // CR LF, then a lone CR
        {"a\n\r\nb", "a{}{}b"},  // LF CR, then a lone LF
        {"\r\n", "{}"},
        {"{x}", "{{x}"},
        {"{", "{{"},
        {"{{", "{{{{"},
        {"}", "}"},
        {"{}", "{{}"},
        {"Kind regards,\r\nThe support desk", "Kind regards,{}The support desk"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        EXPECT_EQ(EscapeContents(c.text), c.value);
    }
}

TEST(ContentsEscaping, Unescape)
{
    const struct {
        std::string value, text;
    } cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"Hello{}World", "Hello\r\nWorld"},
        {"{{x}", "{x}"},
        {"{x}", "x}"},   // a lone brace before x is dropped
        {"abc{", "abc\r\n"},  // a brace at the very end is a line break
        {"{", "\r\n"},
        {"{{", "{"},
        {"{{{", "{\r\n"},
        {"{{{}", "{\r\n"},
        {"{}{}", "\r\n\r\n"},
        {"}", "}"},
        {"{{}", "{}"},
        {"a{b{c", "abc"},
        {"a{b{", "ab\r\n"},
        {"{\r", "\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("value \"" + c.value + "\"");
        EXPECT_EQ(UnescapeContents(c.value), c.text);
    }
}

// Every text comes back unchanged except that each line break comes back as CR LF.
TEST(ContentsEscaping, RoundTrip)
{
    const struct {
        std::string text, back;
    } cases[] = {
        {"", ""},
        {"Hello\r\nWorld", "Hello\r\nWorld"},
        {"Hello\nWorld", "Hello\r\nWorld"},
        {"Hello\rWorld", "Hello\r\nWorld"},
        {"Hello\n\rWorld", "Hello\r\nWorld"},
        {"{x}", "{x}"},
        {"{", "{"},
        {"}{", "}{"},
        {"{{}}", "{{}}"},
        {"{\r\n{", "{\r\n{"},
        {"\n\n\r\r", "\r\n\r\n\r\n"},  // LF, LF CR, CR
        {"end with break\n", "end with break\r\n"},
        {"end with brace {", "end with brace {"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        const std::string value = EscapeContents(c.text);
        EXPECT_EQ(value.find_first_of("\r\n"), std::string::npos) << "a value is one line";
        EXPECT_EQ(UnescapeContents(value), c.back);
    }
}

TEST(ContentsEscaping, RoundTripOfEveryByte)
{
    std::string all;
    for (int c = 0; c < 256; ++c) {
        if (c != '\r' && c != '\n') all += static_cast<char>(c);
    }
    EXPECT_EQ(UnescapeContents(EscapeContents(all)), all);
    const std::string longText(10000, '{');
    EXPECT_EQ(UnescapeContents(EscapeContents(longText)), longText);
}
