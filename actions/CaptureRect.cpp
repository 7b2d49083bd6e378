#include "actions/CaptureRect.h"

#include <algorithm>

namespace {

const int kClickGrowth = 1;

int Clamp(int value, int limit)
{
    return std::max(0, std::min(value, limit));
}

} // namespace

CaptureArea CaptureRectangle(CapturePoint anchor, CapturePoint current, int screenWidth, int screenHeight)
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
    // produce a negative size for the bitmap.
    left = Clamp(left, screenWidth);
    right = Clamp(right, screenWidth);
    top = Clamp(top, screenHeight);
    bottom = Clamp(bottom, screenHeight);
    return {left, top, right - left, bottom - top};
}
