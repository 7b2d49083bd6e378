#include "framework/AnsiCodePage.h"
#include <gtest/gtest.h>
#include <windows.h>

// Against the system's real conversion (Wine's here: code page 1252, which does
// best-fit mapping unless told not to).
TEST(AnsiCodePage, WhatTheCodePageHoldsIsKeptAndTheRestIsFlagged)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the cases are those of code page 1252, this system uses " << ::GetACP();
    const struct {
        std::u16string text;
        std::string ansi;
        bool lossy;
    } cases[] = {
        {u"", "", false},
        {u"[paths]\r\nA=d:\\caf\u00e9", "[paths]\r\nA=d:\\caf\xe9", false},
        {u"\u20ac \u2019", "\x80 \x92", false},  // in 1252 though not in Latin-1
        {u"\u0141\u00f3d\u017a", "?\xf3" "d?", true},  // best fit would give "L" and "z", unflagged
        {std::u16string(u"a\0b", 3), std::string("a\0b", 3), false},
    };
    const AnsiCodePage ansi;
    for (const auto& c : cases) {
        const AnsiText out = ansi.ToAnsi(c.text);
        EXPECT_EQ(out.text, c.ansi);
        EXPECT_EQ(out.lossy, c.lossy) << c.ansi;
    }
    // How many "?" stand for a surrogate pair is the system's choice.
    const AnsiText pair = ansi.ToAnsi(u"x\U0001F600");
    EXPECT_EQ(pair.text.substr(0, 2), "x?");
    EXPECT_TRUE(pair.lossy);
}
