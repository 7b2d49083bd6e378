#include "editor/RowText.h"

#include <gtest/gtest.h>

TEST(RowText, ALineBreakShowsAsOneMark)
{
    const std::string mark = "\xC2\xB6";
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"", ""},
        {"Kind regards,\r\nThe desk", "Kind regards," + mark + "The desk"},
        {"a\n\rb\rc\nd", "a" + mark + "b" + mark + "c" + mark + "d"},
        {"a\r\n\r\nb", "a" + mark + mark + "b"},  // an empty line between
        {"\r\n", mark},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const auto& c : cases) EXPECT_EQ(OnOneLine(c.text), c.shown) << c.text;
}

TEST(RowText, EachKindHasItsName)
{
    EXPECT_EQ(KindName(ShortcutKind::Path), "Path");
    EXPECT_EQ(KindName(ShortcutKind::Text), "Text");
    EXPECT_EQ(KindName(ShortcutKind::Graphic), "Graphic");
    EXPECT_EQ(KindName(static_cast<ShortcutKind>(7)), "");
}
