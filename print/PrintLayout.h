#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The layout of the printed shortcut sheet, in the printer's device units, kept apart
// from the device context so that page breaks can be checked without a printer.

enum class PrintFont { Title, Key, Content };

// How to create a font for the page: `height` is a character height (negative, as
// CreateFont takes it) at the printer's vertical resolution.
struct PrintFontStyle {
    int height = 0;
    int weight = 0;
};

PrintFontStyle FontStyleFor(PrintFont font, int dpi);

struct PrintSize {
    int width = 0;
    int height = 0;
};

struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Measures text as DrawText with DT_CALCRECT would on the page.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // `width` 0 measures a single line; otherwise the text wraps at word breaks within
    // `width`.
    virtual PrintSize Measure(const std::string& text, PrintFont font, int width) const = 0;
};

// One DrawText call. `wordBreak` cells wrap within their rectangle; `clip` is set
// only for a row that had to be cut off at the page's end, so it must not be drawn
// past the rectangle.
struct PrintDrawOp {
    PrintFont font = PrintFont::Content;
    std::string text;
    PrintRect rect;
    bool wordBreak = false;
    bool clip = false;
};

// One shortcut as the list shows it: key name and payload.
struct PrintRow {
    std::string key;
    std::string content;
};

struct PrintPageLayout {
    std::vector<PrintDrawOp> ops;
    std::size_t nextRow = 0;  // first row that did not go on this page
    bool morePages = false;
};

// Device units of `points` at `dpi`, rounded as MulDiv rounds.
int PointsToDevice(int points, int dpi);

// Lays out page `page` (1 for the first, which carries the title, the notes and the
// two fixed function keys) starting at `firstRow`. A row that does not fit moves whole
// to the next page; a row taller than a whole page is printed alone, cut off at the
// page's end, so that every page makes progress.
PrintPageLayout LayoutPrintPage(const std::vector<PrintRow>& rows, const PrintRect& drawing, int dpi,
                                int page, std::size_t firstRow, const TextMeasurer& measurer);

// Every page of the sheet, in order; there is always at least the first page.
std::vector<PrintPageLayout> LayoutPrintDocument(const std::vector<PrintRow>& rows, const PrintRect& drawing,
                                                 int dpi, const TextMeasurer& measurer);
