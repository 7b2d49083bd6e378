#pragma once

struct CapturePoint {
    int x = 0;
    int y = 0;
};

// The part of the screen snapshot that goes to the clipboard.
struct CaptureArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The rectangle between the drag's anchor and its end point, in either drag direction.
// A click without a drag still copies the 2 x 2 pixels around it, and the result never
// reaches outside the screen (0, 0, screenWidth, screenHeight), so width and height
// are never negative.
CaptureArea CaptureRectangle(CapturePoint anchor, CapturePoint current, int screenWidth, int screenHeight);
