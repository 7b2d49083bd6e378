#include "editor/KeyComboOrder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::string>;
const std::optional<std::size_t> kUnchanged = std::nullopt;

struct ReturnCase {
    const char* name;
    Entries entries;
    std::string key;
    std::optional<std::size_t> expected;
};

void PrintTo(const ReturnCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReturnPositionTest : public ::testing::TestWithParam<ReturnCase> {};

TEST_P(ReturnPositionTest, PutsTheKeyBackInKeyNameOrder)
{
    const ReturnCase& c = GetParam();
    EXPECT_EQ(ReturnPosition(c.entries, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReturnPositionTest, ::testing::Values(
    ReturnCase{"BetweenNeighbours", {"A", "C", "D"}, "B", 1},
    ReturnCase{"LowerCaseName", {"A", "C", "D"}, "b", 1},
    ReturnCase{"SkipsNamesAlreadyTaken", {"A", "E", "F"}, "B", 1},
    ReturnCase{"DigitBeforeLetters", {"0", "A"}, "9", 1},
    ReturnCase{"F1BeforeF2NotAfterF10", {"Z", "F2", "F10"}, "F1", 1},
    ReturnCase{"F12ToTheEnd", {"0", "A", "F1"}, "F12", 3},
    ReturnCase{"NoLaterNameLeft", {"0", "1"}, "5", 2},
    ReturnCase{"IntoEmptyCombo", {}, "F3", 0},
    ReturnCase{"ComboEntriesInOtherCase", {"a", "c"}, "B", 1},
    ReturnCase{"AlreadyThere", {"A", "B"}, "b", kUnchanged},
    ReturnCase{"NotAKeyName", {"A"}, "HOME", kUnchanged},
    ReturnCase{"PastTheFunctionKeys", {"A"}, "F13", kUnchanged},
    ReturnCase{"ComboPrefixIsNotAName", {"A"}, "CTRL+ALT+K", kUnchanged},
    ReturnCase{"EmptyName", {"A"}, "", kUnchanged}),
    [](const auto& info) { return std::string(info.param.name); });

struct SelectCase {
    const char* name;
    Entries entries;
    std::string key;
    std::optional<std::size_t> expected;
};

void PrintTo(const SelectCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrefixSelectionTest : public ::testing::TestWithParam<SelectCase> {};

TEST_P(PrefixSelectionTest, SelectsTheFirstEntryBeginningWithTheKey)
{
    const SelectCase& c = GetParam();
    EXPECT_EQ(PrefixSelection(c.entries, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrefixSelectionTest, ::testing::Values(
    SelectCase{"ExactEntry", {"A", "B", "F1"}, "B", 1},
    SelectCase{"LowerCaseKey", {"A", "F2"}, "f2", 1},
    SelectCase{"FPicksFirstFunctionKey", {"A", "F1", "F10"}, "F", 1},
    SelectCase{"F1PicksF10WhenF1IsTaken", {"A", "F10", "F11"}, "F1", 1},
    SelectCase{"F1ItselfComesFirst", {"F1", "F10"}, "F1", 0},
    SelectCase{"DigitDoesNotMatchFunctionKey", {"0", "1", "F1"}, "1", 1},
    SelectCase{"TakenKeyKeepsSelection", {"A", "C"}, "B", kUnchanged},
    SelectCase{"EmptyCombo", {}, "A", kUnchanged},
    SelectCase{"LongerThanEveryEntry", {"F1"}, "F12", kUnchanged}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
