// The capture rectangle over monitor layouts. Wine on Xvfb shows one monitor only, so
// the layouts with several monitors (and negative screen coordinates) are tested here,
// natively; the tests under Wine cover the single screen end to end.
#include "actions/CaptureRect.h"

#include <gtest/gtest.h>

namespace {

// Virtual screens of typical layouts, in screen coordinates.
const VirtualScreen kOneMonitor{0, 0, 1024, 768};
// Two 1920 x 1080 monitors, the second right of the primary.
const VirtualScreen kSecondRight{0, 0, 3840, 1080};
// A 1280 x 1024 monitor left of a 1920 x 1080 primary: x runs from -1280.
const VirtualScreen kSecondLeft{-1280, 0, 3200, 1080};
// A 1920 x 1080 monitor above a 1920 x 1080 primary: y runs from -1080.
const VirtualScreen kSecondAbove{0, -1080, 1920, 2160};
// A 1280 x 1024 monitor right of a 2560 x 1440 primary: no monitor covers
// x 2560..3839, y 1024..1439.
const VirtualScreen kDifferentHeights{0, 0, 3840, 1440};

struct CaptureCase {
    const char* name;
    VirtualScreen screen;
    CapturePoint anchor;
    CapturePoint current;
    CaptureArea expected;
};

void PrintTo(const CaptureCase& c, std::ostream* os)
{
    *os << c.name;
}

class CaptureRectangleTest : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(CaptureRectangleTest, GivesTheAreaOfTheSnapshotToCopy)
{
    const CaptureCase& c = GetParam();
    const CaptureArea area = CaptureRectangle(c.anchor, c.current, c.screen);
    EXPECT_EQ(area.left, c.expected.left);
    EXPECT_EQ(area.top, c.expected.top);
    EXPECT_EQ(area.width, c.expected.width);
    EXPECT_EQ(area.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(OneMonitor, CaptureRectangleTest, ::testing::Values(
    CaptureCase{"TopLeftToBottomRight", kOneMonitor, {10, 20}, {110, 70}, {10, 20, 100, 50}},
    CaptureCase{"BottomRightToTopLeft", kOneMonitor, {110, 70}, {10, 20}, {10, 20, 100, 50}},
    CaptureCase{"BottomLeftToTopRight", kOneMonitor, {10, 70}, {110, 20}, {10, 20, 100, 50}},
    CaptureCase{"Click", kOneMonitor, {50, 60}, {50, 60}, {49, 59, 2, 2}},
    CaptureCase{"HorizontalLineGrowsBothWays", kOneMonitor, {10, 60}, {30, 60}, {9, 59, 22, 2}},
    CaptureCase{"ClickAtOrigin", kOneMonitor, {0, 0}, {0, 0}, {0, 0, 1, 1}},
    CaptureCase{"ClickAtBottomRightPixel", kOneMonitor, {1023, 767}, {1023, 767}, {1022, 766, 2, 2}},
    CaptureCase{"ClickOnBottomRightCorner", kOneMonitor, {1024, 768}, {1024, 768}, {1023, 767, 1, 1}},
    CaptureCase{"DragPastTopLeft", kOneMonitor, {100, 100}, {-40, -30}, {0, 0, 100, 100}},
    CaptureCase{"DragPastBottomRight", kOneMonitor, {1000, 700}, {1200, 900}, {1000, 700, 24, 68}},
    CaptureCase{"WhollyOffScreen", kOneMonitor, {1100, 800}, {1200, 900}, {1024, 768, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// A drag over the border between two monitors, in all four directions, gives one area.
INSTANTIATE_TEST_SUITE_P(AcrossMonitors, CaptureRectangleTest, ::testing::Values(
    CaptureCase{"RightDownOntoTheRightMonitor", kSecondRight, {1800, 100}, {2100, 300}, {1800, 100, 300, 200}},
    CaptureCase{"LeftUpFromTheRightMonitor", kSecondRight, {2100, 300}, {1800, 100}, {1800, 100, 300, 200}},
    CaptureCase{"RightUpFromTheLeftMonitor", kSecondLeft, {-100, 150}, {100, 50}, {1180, 50, 200, 100}},
    CaptureCase{"LeftDownOntoTheLeftMonitor", kSecondLeft, {100, 50}, {-100, 150}, {1180, 50, 200, 100}},
    CaptureCase{"WhollyOnTheLeftMonitor", kSecondLeft, {-1000, 200}, {-800, 400}, {280, 200, 200, 200}},
    CaptureCase{"DownFromTheMonitorAbove", kSecondAbove, {100, -50}, {300, 50}, {100, 1030, 200, 100}},
    CaptureCase{"WhollyOnTheMonitorAbove", kSecondAbove, {300, -1000}, {100, -900}, {100, 80, 200, 100}},
    CaptureCase{"PastTheTopOfTheMonitorAbove", kSecondAbove, {100, -1000}, {200, -1200}, {100, 0, 100, 80}},
    CaptureCase{"PastTheLeftOfTheLeftMonitor", kSecondLeft, {-1200, 100}, {-1400, 200}, {0, 100, 80, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

// Where monitors differ in height, the virtual screen has corners that no monitor
// shows; a selection is clamped to the virtual screen only and keeps those pixels.
INSTANTIATE_TEST_SUITE_P(UncoveredAreas, CaptureRectangleTest, ::testing::Values(
    CaptureCase{"IntoTheUncoveredCorner", kDifferentHeights, {2400, 900}, {3000, 1300}, {2400, 900, 600, 400}},
    CaptureCase{"WhollyUncovered", kDifferentHeights, {3700, 1400}, {3600, 1200}, {3600, 1200, 100, 200}},
    CaptureCase{"PastTheVirtualScreen", kDifferentHeights, {3000, 1000}, {4000, 1600}, {3000, 1000, 840, 440}}),
    [](const auto& info) { return std::string(info.param.name); });

// A click on the outermost pixel of each corner, where the 2 x 2 area loses the
// part that lies outside the virtual screen.
INSTANTIATE_TEST_SUITE_P(ClickInEachCorner, CaptureRectangleTest, ::testing::Values(
    CaptureCase{"TopLeftWithNegativeOrigin", kSecondLeft, {-1280, 0}, {-1280, 0}, {0, 0, 1, 1}},
    CaptureCase{"TopRightWithNegativeOrigin", kSecondLeft, {1919, 0}, {1919, 0}, {3198, 0, 2, 1}},
    CaptureCase{"BottomLeftWithNegativeOrigin", kSecondLeft, {-1280, 1079}, {-1280, 1079}, {0, 1078, 1, 2}},
    CaptureCase{"BottomRightWithNegativeOrigin", kSecondLeft, {1919, 1079}, {1919, 1079}, {3198, 1078, 2, 2}},
    CaptureCase{"TopLeftAbove", kSecondAbove, {0, -1080}, {0, -1080}, {0, 0, 1, 1}},
    CaptureCase{"BottomRightAbove", kSecondAbove, {1919, 1079}, {1919, 1079}, {1918, 2158, 2, 2}},
    CaptureCase{"UncoveredBottomRight", kDifferentHeights, {3839, 1439}, {3839, 1439}, {3838, 1438, 2, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
