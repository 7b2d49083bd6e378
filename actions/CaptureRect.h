#pragma once

struct CapturePoint {
    int x = 0;
    int y = 0;
};

// The rectangle around all monitors, in screen coordinates. Its origin is the primary
// monitor's top-left corner (0, 0) unless a monitor lies to the left of it or above it,
// which makes left or top negative. Parts of it may be covered by no monitor at all.
struct VirtualScreen {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The part of the screen snapshot that goes to the clipboard, in snapshot coordinates:
// (0, 0) is the virtual screen's top-left corner.
struct CaptureArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The rectangle between the drag's anchor and its end point (screen coordinates), in
// either drag direction. A click without a drag still copies the 2 x 2 pixels around
// it, and the result never reaches outside the virtual screen, so width and height
// are never negative.
CaptureArea CaptureRectangle(CapturePoint anchor, CapturePoint current, const VirtualScreen& screen);
