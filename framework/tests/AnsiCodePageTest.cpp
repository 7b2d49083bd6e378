#include "framework/AnsiCodePage.h"
#include "framework/WideText.h"
#include <gtest/gtest.h>
#include <windows.h>

// Against the system's real conversions (Wine's here, code page 1252).
TEST(AnsiCodePage, FilesOfOldReadInTheCodePage)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the cases are those of code page 1252, this system uses " << ::GetACP();
    const struct {
        std::string ansi;
        std::string utf8;
    } cases[] = {
        {"", ""},
        {"[paths]\r\nA=d:\\Caf\xe9", "[paths]\r\nA=d:\\Caf\xc3\xa9"},
        {"\x80 \x92", "\xe2\x82\xac \xe2\x80\x99"},  // in 1252 though not in Latin-1
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    const AnsiCodePage ansi;
    for (const auto& c : cases)
        EXPECT_EQ(ansi.ToUtf8(c.ansi), c.utf8);
}

TEST(WideText, EveryCharacterCrossesBothWays)
{
    const std::string text = "C:\\\xd0\xa2\xd0\xb5\xd1\x81\xd1\x82 \xe2\x82\xac \xe6\x97\xa5 \xf0\x9f\x98\x80";
    const std::wstring wide = Wide(text);
    EXPECT_EQ(wide, L"C:\\\u0422\u0435\u0441\u0442 \u20ac \u65e5 \U0001F600");
    EXPECT_EQ(Utf8(wide), text);
    EXPECT_EQ(Wide(""), L"");
}
