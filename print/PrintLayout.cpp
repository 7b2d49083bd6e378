#include "print/PrintLayout.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace {

const int kPointsPerInch = 72;

const int kTitleTopPt = 20;
const int kNotesGapPt = 10;
const int kContinuationTopPt = 10;
const int kRowGapPt = 1;
const int kContentColumnPt = 80;

const int kTitleSizePt = 20;
const int kBodySizePt = 12;
const int kSemiBold = 600;
const int kLight = 300;

const char kTitle[] = "Tarnwick Shortcuts";
const char kNoteModifiers[] = "First two HotKeys are CTRL+ALT.";
const char kNoteThirdKey[] = "Third Hotkey:";

struct RowCells {
    PrintRect key;
    PrintRect content;
};

int PlaceLine(std::vector<PrintDrawOp>& ops, const TextMeasurer& measurer, PrintFont font,
              const std::string& text, int left, int top)
{
    const PrintSize size = measurer.Measure(text, font, 0);
    ops.push_back({font, text, {left, top, left + size.width, top + size.height}, false, false});
    return top + size.height;
}

// A cell spans from its left edge to the drawing's right edge and is as tall as its
// wrapped text.
PrintRect MeasureCell(const TextMeasurer& measurer, PrintFont font, const std::string& text,
                      int left, int top, int right)
{
    // A width of 0 would mean "single line" to the measurer; a page narrower than the
    // column offset still wraps, one word a line.
    const int width = std::max(1, right - left);
    return {left, top, right, top + measurer.Measure(text, font, width).height};
}

RowCells MeasureRow(const TextMeasurer& measurer, const PrintRow& row, const PrintRect& drawing, int dpi, int top)
{
    const int contentLeft = drawing.left + PointsToDevice(kContentColumnPt, dpi);
    return {MeasureCell(measurer, PrintFont::Key, row.key, drawing.left, top, drawing.right),
            MeasureCell(measurer, PrintFont::Content, row.content, contentLeft, top, drawing.right)};
}

// Returns the bottom of the lower cell, so that the next row never overlaps this one,
// whichever column wrapped further.
int PlaceRow(std::vector<PrintDrawOp>& ops, const PrintRow& row, const RowCells& cells, bool clip)
{
    ops.push_back({PrintFont::Key, row.key, cells.key, true, clip});
    ops.push_back({PrintFont::Content, row.content, cells.content, true, clip});
    return std::max(cells.key.bottom, cells.content.bottom);
}

int ClampBottom(const PrintRect& cell, int limit)
{
    return std::max(cell.top, std::min(cell.bottom, limit));
}

} // namespace

int PointsToDevice(int points, int dpi)
{
    // MulDiv rounds half away from zero.
    const std::int64_t product = static_cast<std::int64_t>(points) * dpi;
    const std::int64_t half = product < 0 ? -kPointsPerInch / 2 : kPointsPerInch / 2;
    return static_cast<int>((product + half) / kPointsPerInch);
}

PrintFontStyle FontStyleFor(PrintFont font, int dpi)
{
    switch (font) {
    case PrintFont::Title:
        return {-PointsToDevice(kTitleSizePt, dpi), kSemiBold};
    case PrintFont::Key:
        return {-PointsToDevice(kBodySizePt, dpi), kSemiBold};
    case PrintFont::Content:
        break;
    }
    return {-PointsToDevice(kBodySizePt, dpi), kLight};
}

PrintPageLayout LayoutPrintPage(const std::vector<PrintRow>& rows, const PrintRect& drawing, int dpi,
                                int page, std::size_t firstRow, const TextMeasurer& measurer)
{
    PrintPageLayout layout;
    int bottom = drawing.top + PointsToDevice(kContinuationTopPt, dpi);
    const bool firstPage = page == 1;
    if (firstPage) {
        bottom = PlaceLine(layout.ops, measurer, PrintFont::Title, kTitle, drawing.left,
                           drawing.top + PointsToDevice(kTitleTopPt, dpi));
        bottom = PlaceLine(layout.ops, measurer, PrintFont::Key, kNoteModifiers, drawing.left,
                           bottom + PointsToDevice(kNotesGapPt, dpi));
        bottom = PlaceLine(layout.ops, measurer, PrintFont::Key, kNoteThirdKey, drawing.left, bottom);
        // The two keys with a fixed meaning always go on the first page, full or not.
        for (const PrintRow& fixed : {PrintRow{"Print Screen", "Selective screen capture"},
                                      PrintRow{"Home", "Capture of application path\\filename"}}) {
            const RowCells cells = MeasureRow(measurer, fixed, drawing, dpi, bottom + PointsToDevice(kRowGapPt, dpi));
            bottom = PlaceRow(layout.ops, fixed, cells, false);
        }
    }

    std::size_t row = firstRow;
    for (; row < rows.size(); ++row) {
        RowCells cells = MeasureRow(measurer, rows[row], drawing, dpi, bottom + PointsToDevice(kRowGapPt, dpi));
        // Only the content column decides: a key name is a single short line.
        if (cells.content.bottom > drawing.bottom) {
            // On a later page a row that does not fit as the first one never will, since
            // no page has more room; printing it cut off keeps the job from producing
            // empty pages until the page limit. The first page has less room, so a row
            // that fails there still gets a later page to itself.
            if (firstPage || row != firstRow)
                break;
            cells.key.bottom = ClampBottom(cells.key, drawing.bottom);
            cells.content.bottom = ClampBottom(cells.content, drawing.bottom);
            PlaceRow(layout.ops, rows[row], cells, true);
            ++row;
            break;
        }
        bottom = PlaceRow(layout.ops, rows[row], cells, false);
    }
    layout.nextRow = row;
    layout.morePages = row < rows.size();
    return layout;
}

std::vector<PrintPageLayout> LayoutPrintDocument(const std::vector<PrintRow>& rows, const PrintRect& drawing,
                                                 int dpi, const TextMeasurer& measurer)
{
    std::vector<PrintPageLayout> pages;
    std::size_t nextRow = 0;
    do {
        pages.push_back(LayoutPrintPage(rows, drawing, dpi, static_cast<int>(pages.size()) + 1, nextRow, measurer));
        nextRow = pages.back().nextRow;
    } while (pages.back().morePages);
    return pages;
}
