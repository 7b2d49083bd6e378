#include <string>

#include <gtest/gtest.h>

#include "store/KeyText.h"

TEST(KeyText, Whitespace)
{
    for (char c : std::string(" \t\r\n\v\f")) EXPECT_TRUE(IsWhitespace(c)) << int(c);
    for (char c : std::string("a0_\x01\xA0", 5)) EXPECT_FALSE(IsWhitespace(c)) << int(c);
    EXPECT_FALSE(IsWhitespace('\0'));
}

TEST(KeyText, Trims)
{
    const struct {
        std::string in, both, left, right;
    } cases[] = {
        {"", "", "", ""},
        {"   ", "", "", ""},
        {"a", "a", "a", "a"},
        {" a ", "a", "a ", " a"},
        {"\t\r\n a b \v\f", "a b", "a b \v\f", "\t\r\n a b"},
        {std::string("\0 x", 3), std::string("\0 x", 3), std::string("\0 x", 3), std::string("\0 x", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("in \"" + c.in + "\"");
        EXPECT_EQ(TrimWhitespace(c.in), c.both);
        EXPECT_EQ(TrimLeft(c.in), c.left);
        EXPECT_EQ(TrimRight(c.in), c.right);
    }
}

TEST(KeyText, UpperAndEquals)
{
    EXPECT_EQ(ToUpperAscii("abc XYZ 09 {}\xE9"), "ABC XYZ 09 {}\xE9");
    EXPECT_EQ(ToUpperAscii(""), "");
    EXPECT_TRUE(EqualsNoCase("paths", "PATHS"));
    EXPECT_TRUE(EqualsNoCase("PaThS", "pAtHs"));
    EXPECT_TRUE(EqualsNoCase("", ""));
    EXPECT_FALSE(EqualsNoCase("path", "paths"));
    EXPECT_FALSE(EqualsNoCase("[", "{"));  // '[' and '{' differ by the case bit but are no letters
    EXPECT_FALSE(EqualsNoCase("\xE9", "\xC9"));
}

TEST(KeyText, PathHasDrive)
{
    const struct {
        std::string path;
        bool hasDrive;
    } cases[] = {
        {"", false},
        {"d", false},
        {"d:", true},
        {"d:\\tools\\images\\logo.bmp", true},
        {"C:relative.bmp", true},
        {"\\\\server\\share\\x.bmp", false},
        {"images\\x.bmp", false},
        {":x", false},
        {"paste a picture here", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("path \"" + c.path + "\"");
        EXPECT_EQ(PathHasDrive(c.path), c.hasDrive);
    }
}

TEST(KeyText, ListKeyText)
{
    const struct {
        std::string name, listed;
    } cases[] = {
        {"A", "A"},
        {"F12", "F12"},
        {"", ""},
        {"home", "home"},  // no "+": unchanged, case too
        {"CTRL+ALT+a", "A"},
        {"ctrl+alt+f1", "F1"},
        {"SHIFT+b", "B"},
        {"+a", "+a"},          // begins with "+": unchanged
        {"+a+b", "+a+b"},      // the first "+" decides
        {"a+", ""},            // nothing after the last "+"
        {"a++", ""},
        {"x+y+z", "Z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("name \"" + c.name + "\"");
        EXPECT_EQ(ListKeyText(c.name), c.listed);
    }
}
