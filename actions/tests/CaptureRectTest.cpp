#include "actions/CaptureRect.h"

#include <gtest/gtest.h>

namespace {

const int kScreenWidth = 1024;
const int kScreenHeight = 768;

struct CaptureCase {
    const char* name;
    CapturePoint anchor;
    CapturePoint current;
    CaptureArea expected;
};

void PrintTo(const CaptureCase& c, std::ostream* os)
{
    *os << c.name;
}

class CaptureRectangleTest : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(CaptureRectangleTest, GivesTheAreaToCopy)
{
    const CaptureCase& c = GetParam();
    const CaptureArea area = CaptureRectangle(c.anchor, c.current, kScreenWidth, kScreenHeight);
    EXPECT_EQ(area.left, c.expected.left);
    EXPECT_EQ(area.top, c.expected.top);
    EXPECT_EQ(area.width, c.expected.width);
    EXPECT_EQ(area.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, CaptureRectangleTest, ::testing::Values(
    CaptureCase{"TopLeftToBottomRight", {10, 20}, {110, 70}, {10, 20, 100, 50}},
    CaptureCase{"BottomRightToTopLeft", {110, 70}, {10, 20}, {10, 20, 100, 50}},
    CaptureCase{"BottomLeftToTopRight", {10, 70}, {110, 20}, {10, 20, 100, 50}},
    CaptureCase{"Click", {50, 60}, {50, 60}, {49, 59, 2, 2}},
    CaptureCase{"HorizontalLineGrowsBothWays", {10, 60}, {30, 60}, {9, 59, 22, 2}},
    CaptureCase{"ClickAtOrigin", {0, 0}, {0, 0}, {0, 0, 1, 1}},
    CaptureCase{"ClickAtBottomRightPixel", {1023, 767}, {1023, 767}, {1022, 766, 2, 2}},
    CaptureCase{"ClickOnBottomRightCorner", {1024, 768}, {1024, 768}, {1023, 767, 1, 1}},
    CaptureCase{"DragPastTopLeft", {100, 100}, {-40, -30}, {0, 0, 100, 100}},
    CaptureCase{"DragPastBottomRight", {1000, 700}, {1200, 900}, {1000, 700, 24, 68}},
    CaptureCase{"WhollyOffScreen", {1100, 800}, {1200, 900}, {1024, 768, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
