#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "store/KeyNames.h"
#include "store/Shortcut.h"
#include "store/ShortcutKind.h"

TEST(KeyNames, AreDigitsLettersThenFunctionKeys)
{
    const auto& names = KeyNames();
    ASSERT_EQ(names.size(), 48u);
    EXPECT_EQ(names[0], "0");
    EXPECT_EQ(names[9], "9");
    EXPECT_EQ(names[10], "A");
    EXPECT_EQ(names[35], "Z");
    EXPECT_EQ(names[36], "F1");
    EXPECT_EQ(names[47], "F12");
    EXPECT_EQ(&names, &KeyNames()) << "built once";
}

TEST(KeyNames, EachNameHasItsVirtualKeyCode)
{
    const auto& names = KeyNames();
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(KeyCodeFromName(names[i]), 48 + static_cast<int>(i));
    for (std::size_t i = 10; i < 36; ++i) EXPECT_EQ(KeyCodeFromName(names[i]), 65 + static_cast<int>(i - 10));
    for (std::size_t i = 36; i < 48; ++i) EXPECT_EQ(KeyCodeFromName(names[i]), 112 + static_cast<int>(i - 36));
}

TEST(KeyCodeFromName, Cases)
{
    const struct {
        std::string name;
        int code;
    } cases[] = {
        {"", -1},
        {"A", 65},
        {"Z", 90},
        {"0", 48},
        {"7", 55},
        {"a", 97},  // single characters map to themselves; Assign upper-cases first
        {"+", 43},
        {" ", 32},
        {"\xE9", 0xE9},  // a character above 127 is its code page value, not negative
        {"F", 70},       // a lone F is a single character
        {"F1", 112},
        {"F10", 121},
        {"F12", 123},
        {"F0", 111},
        {"FX", 111},  // no digits count as 0
        {"F13", 124},
        {"F99", 210},
        {"F 5", 116},  // leading whitespace before the number
        {"F\t\n\v\f\r5", 116},
        {"F+5", 116},
        {"F-5", 106},
        {"F-112", -1},
        {"F5X", 116},  // digits up to the first non-digit
        {"F--5", 111},
        {"F 5 6", 116},
        {"f1", -1},  // only a capital F starts a function key name
        {"HOME", -1},
        {"SHIFT", -1},
        {"CTRL+ALT+K", -1},
        {"AB", -1},
        {"12", -1},
        {"F2147483536", INT_MAX},  // 111 + 2147483536 = INT_MAX exactly
        {"F2147483537", INT_MAX},  // one more saturates rather than overflowing
        {"F2147483647", INT_MAX},
        {"F99999999999999999999999999999999999999", INT_MAX},
        {"F-2147483648", INT_MIN + 111},
        {"F-99999999999999999999999999999999999999", INT_MIN + 111},  // clamped like atoi
        {"F00000000000000000000000000000000000012", 123},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("name \"" + c.name + "\"");
        EXPECT_EQ(KeyCodeFromName(c.name), c.code);
    }
}

TEST(Shortcut, ConstructsEmpty)
{
    const Shortcut s;
    EXPECT_EQ(s.keyCode, -1);
    EXPECT_EQ(s.shift, 0);
    EXPECT_EQ(s.ctrl, 0);
    EXPECT_EQ(s.alt, 0);
    EXPECT_EQ(s.kind, ShortcutKind::Text);
    EXPECT_EQ(s.payload, "");
    EXPECT_EQ(s.keyName, "");
}

TEST(Shortcut, AssignCases)
{
    const struct {
        std::string name;
        std::string keyName;
        int keyCode;
        int shift;
    } cases[] = {
        {"a", "A", 65, 0},
        {"A", "A", 65, 0},
        {" 7 ", "7", 55, 0},
        {"\t\r\nb\v\f", "B", 66, 0},
        {"f10", "F10", 121, 0},
        {" f2 ", "F2", 113, 0},
        {"F0", "F0", 111, 0},
        {"fx", "FX", 111, 0},
        {"f", "F", 70, 0},
        {"SHIFT", "SHIFT", -1, 1},
        {"shift+a", "SHIFT+A", -1, 1},
        {"ctrl+alt+k", "CTRL+ALT+K", -1, 0},
        {"home", "HOME", -1, 0},
        {"", "", -1, 0},
        {"   ", "", -1, 0},
        {"\xE9", "\xE9", 0xE9, 0},  // only ASCII letters change case
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("name \"" + c.name + "\"");
        Shortcut s;
        s.Assign(c.name, " payload kept as is ", ShortcutKind::Graphic);
        EXPECT_EQ(s.keyName, c.keyName);
        EXPECT_EQ(s.keyCode, c.keyCode);
        EXPECT_EQ(s.shift, c.shift);
        EXPECT_EQ(s.ctrl, 1);
        EXPECT_EQ(s.alt, 1);
        EXPECT_EQ(s.kind, ShortcutKind::Graphic);
        EXPECT_EQ(s.payload, " payload kept as is ");
    }
}
