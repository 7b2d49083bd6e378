#include "actions/CaptureRect.h"

#include <algorithm>

namespace {

const int kClickGrowth = 1;

int Clamp(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

CaptureArea CaptureRectangle(CapturePoint anchor, CapturePoint current, const VirtualScreen& screen)
{
    int left = std::min(anchor.x, current.x);
    int right = std::max(anchor.x, current.x);
    int top = std::min(anchor.y, current.y);
    int bottom = std::max(anchor.y, current.y);

    // An empty rectangle would give no bitmap at all; the user clicked on something.
    if (left == right || top == bottom) {
        left -= kClickGrowth;
        top -= kClickGrowth;
        right += kClickGrowth;
        bottom += kClickGrowth;
    }

    // Every edge is clamped, not only the outer ones: a point off the screen must not
    // produce a negative size for the bitmap. Gaps between monitors of different sizes
    // lie inside the virtual screen and stay in: the snapshot has pixels there too.
    const int screenRight = screen.left + screen.width;
    const int screenBottom = screen.top + screen.height;
    left = Clamp(left, screen.left, screenRight);
    right = Clamp(right, screen.left, screenRight);
    top = Clamp(top, screen.top, screenBottom);
    bottom = Clamp(bottom, screen.top, screenBottom);
    return {left - screen.left, top - screen.top, right - left, bottom - top};
}
