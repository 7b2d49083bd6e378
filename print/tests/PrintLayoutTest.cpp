#include "print/PrintLayout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// At 72 dpi a point is one device unit, so the expected geometry reads directly off
// the distances in points.
const int kPointDpi = 72;
const int kCharWidth = 6;
const int kTitleLine = 24;
const int kBodyLine = 12;

// Every character is kCharWidth wide; wrapped text breaks between words.
class FakeMeasurer : public TextMeasurer {
public:
    PrintSize Measure(const std::string& text, PrintFont font, int width) const override
    {
        const int lineHeight = font == PrintFont::Title ? kTitleLine : kBodyLine;
        if (width == 0)
            return {static_cast<int>(text.size()) * kCharWidth, lineHeight};
        const std::size_t perLine = static_cast<std::size_t>(width / kCharWidth);
        std::istringstream words(text);
        std::string word;
        int lines = 1;
        std::size_t used = 0;
        while (words >> word) {
            if (used != 0 && used + 1 + word.size() > perLine) {
                ++lines;
                used = 0;
            }
            used += (used != 0 ? 1 : 0) + word.size();
        }
        return {width, lines * lineHeight};
    }
};

// A text of `lines` lines in a column of the given width.
std::string Lines(int lines, int columnWidth)
{
    const std::string word(static_cast<std::size_t>(columnWidth / kCharWidth), 'w');
    std::string text = word;
    for (int i = 1; i < lines; ++i)
        text += " " + word;
    return text;
}

const PrintRect kDrawing{0, 0, 600, 800};
const int kContentWidth = 600 - 80;

// Title, two notes and the two fixed rows take the first page down to 104; the first
// list row starts 1 pt lower.
const int kFirstListRowTop = 105;
const int kContinuationRowTop = 11;

PrintRect Rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}

void ExpectOp(const PrintDrawOp& op, PrintFont font, const std::string& text, const PrintRect& rect,
              bool wordBreak, bool clip = false)
{
    EXPECT_EQ(op.font, font) << text;
    EXPECT_EQ(op.text, text);
    EXPECT_EQ(op.rect.left, rect.left) << text;
    EXPECT_EQ(op.rect.top, rect.top) << text;
    EXPECT_EQ(op.rect.right, rect.right) << text;
    EXPECT_EQ(op.rect.bottom, rect.bottom) << text;
    EXPECT_EQ(op.wordBreak, wordBreak) << text;
    EXPECT_EQ(op.clip, clip) << text;
}

void ExpectRowAt(const std::vector<PrintDrawOp>& ops, std::size_t at, const PrintRow& row, int top,
                 int height)
{
    ASSERT_LT(at + 1, ops.size());
    ExpectOp(ops[at], PrintFont::Key, row.key, Rect(0, top, 600, top + kBodyLine), true);
    ExpectOp(ops[at + 1], PrintFont::Content, row.content, Rect(80, top, 600, top + height), true);
}

const std::size_t kFirstPageHeaderOps = 7;
const FakeMeasurer kMeasurer;

TEST(LayoutPrintDocument, EmptyListPrintsTheFirstPageOnly)
{
    const auto pages = LayoutPrintDocument({}, kDrawing, kPointDpi, kMeasurer);

    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].morePages);
    const auto& ops = pages[0].ops;
    ASSERT_EQ(ops.size(), kFirstPageHeaderOps);
    ExpectOp(ops[0], PrintFont::Title, "Tarnwick Shortcuts", Rect(0, 20, 18 * kCharWidth, 44), false);
    ExpectOp(ops[1], PrintFont::Key, "First two HotKeys are CTRL+ALT.", Rect(0, 54, 31 * kCharWidth, 66), false);
    ExpectOp(ops[2], PrintFont::Key, "Third Hotkey:", Rect(0, 66, 13 * kCharWidth, 78), false);
    ExpectRowAt(ops, 3, {"Print Screen", "Selective screen capture"}, 79, kBodyLine);
    ExpectRowAt(ops, 5, {"Home", "Capture of application path\\filename"}, 92, kBodyLine);
}

TEST(LayoutPrintPage, WrappedContentPushesTheNextRowDown)
{
    const std::vector<PrintRow> rows = {{"A", Lines(3, kContentWidth)}, {"B", "short"}};

    const PrintPageLayout page = LayoutPrintPage(rows, kDrawing, kPointDpi, 1, 0, kMeasurer);

    ASSERT_EQ(page.ops.size(), kFirstPageHeaderOps + 4);
    ExpectRowAt(page.ops, kFirstPageHeaderOps, rows[0], kFirstListRowTop, 3 * kBodyLine);
    ExpectRowAt(page.ops, kFirstPageHeaderOps + 2, rows[1], kFirstListRowTop + 3 * kBodyLine + 1, kBodyLine);
    EXPECT_FALSE(page.morePages);
}

TEST(LayoutPrintDocument, RowThatDoesNotFitMovesWholeToTheNextPage)
{
    // Rows 0..2 end at 117, 130 and 143; the third ends exactly on the page's bottom
    // edge and still fits.
    const PrintRect drawing{0, 0, 600, 143};
    const std::vector<PrintRow> rows = {{"A", "a"}, {"B", "b"}, {"C", "c"}, {"D", Lines(2, kContentWidth)}};

    const auto pages = LayoutPrintDocument(rows, drawing, kPointDpi, kMeasurer);

    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ops.size(), kFirstPageHeaderOps + 6);
    EXPECT_EQ(pages[0].nextRow, 3u);
    EXPECT_TRUE(pages[0].morePages);
    // No title on later pages: the row comes first, 10 pt plus the 1 pt row gap down.
    ASSERT_EQ(pages[1].ops.size(), 2u);
    ExpectRowAt(pages[1].ops, 0, rows[3], kContinuationRowTop, 2 * kBodyLine);
    EXPECT_FALSE(pages[1].morePages);
}

TEST(LayoutPrintPage, OnlyTheContentCellDecidesWhetherARowFits)
{
    const PrintRect drawing{0, 0, 600, 143};
    // The key wraps past the page's end, its content does not.
    const std::vector<PrintRow> rows = {{Lines(4, 600), "a"}, {"B", "b"}};

    const PrintPageLayout page = LayoutPrintPage(rows, drawing, kPointDpi, 1, 0, kMeasurer);

    ASSERT_EQ(page.ops.size(), kFirstPageHeaderOps + 2);
    EXPECT_EQ(page.ops[kFirstPageHeaderOps].rect.bottom, kFirstListRowTop + 4 * kBodyLine);
    // The next row would start below the tall key cell, which leaves no room for it.
    EXPECT_EQ(page.nextRow, 1u);
    EXPECT_TRUE(page.morePages);
}

TEST(LayoutPrintDocument, RowTallerThanAPageIsPrintedAloneAndCutOff)
{
    const PrintRect drawing{0, 0, 600, 143};
    const std::vector<PrintRow> rows = {{"A", "a"}, {"B", Lines(20, kContentWidth)}, {"C", "c"}};

    const auto pages = LayoutPrintDocument(rows, drawing, kPointDpi, kMeasurer);

    // It does not fit below row A on the first page and moves on; on the second page
    // nothing can go before it, so it is printed there, cut off at the bottom edge.
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].nextRow, 1u);
    ASSERT_EQ(pages[1].ops.size(), 2u);
    ExpectOp(pages[1].ops[0], PrintFont::Key, "B", Rect(0, 11, 600, 23), true, true);
    ExpectOp(pages[1].ops[1], PrintFont::Content, rows[1].content, Rect(80, 11, 600, 143), true, true);
    EXPECT_EQ(pages[1].nextRow, 2u);
    EXPECT_TRUE(pages[1].morePages);
    ASSERT_EQ(pages[2].ops.size(), 2u);
    ExpectRowAt(pages[2].ops, 0, rows[2], kContinuationRowTop, kBodyLine);
    EXPECT_FALSE(pages[2].morePages);
}

TEST(LayoutPrintDocument, PrintsEveryRowOnceInOrderWithoutEmptyPages)
{
    // A long list of mixed heights, several of them taller than a page.
    const PrintRect drawing{0, 0, 600, 300};
    std::vector<PrintRow> rows;
    for (int i = 0; i < 60; ++i)
        rows.push_back({"K" + std::to_string(i), Lines(1 + (i * 7) % 30, kContentWidth)});

    const auto pages = LayoutPrintDocument(rows, drawing, kPointDpi, kMeasurer);

    std::vector<std::string> printed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::size_t skip = p == 0 ? kFirstPageHeaderOps : 0;
        EXPECT_GT(pages[p].ops.size(), skip) << "page " << p + 1 << " is empty";
        for (std::size_t i = skip; i < pages[p].ops.size(); ++i) {
            const PrintDrawOp& op = pages[p].ops[i];
            EXPECT_LE(op.rect.bottom, drawing.bottom) << op.text;
            if (op.font == PrintFont::Key)
                printed.push_back(op.text);
        }
        EXPECT_EQ(pages[p].morePages, p + 1 < pages.size());
    }
    ASSERT_EQ(printed.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(printed[i], rows[i].key);
}

TEST(PointsToDevice, RoundsAsMulDiv)
{
    struct Case {
        int points;
        int dpi;
        int expected;
    };
    for (const Case& c : {Case{1, 36, 1}, Case{1, 35, 0}, Case{-1, 36, -1}, Case{10, 300, 42},
                          Case{20, 300, 83}, Case{20, 600, 167}, Case{80, 300, 333}, Case{80, 600, 667},
                          Case{12, 72, 12}, Case{0, 600, 0}}) {
        EXPECT_EQ(PointsToDevice(c.points, c.dpi), c.expected) << c.points << " pt at " << c.dpi;
    }
}

TEST(LayoutPrintPage, DistancesAndFontsFollowTheVerticalResolution)
{
    struct Case {
        int dpi;
        int titleTop;
        int contentLeft;
        int continuationTop;
        int titleFont;
        int bodyFont;
    };
    for (const Case& c : {Case{300, 83, 333, 42 + 4, -83, -50}, Case{600, 167, 667, 83 + 8, -167, -100}}) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi");
        const PrintRect drawing{0, 0, 2400, 3300};
        const std::vector<PrintRow> rows = {{"A", "a"}};

        const PrintPageLayout first = LayoutPrintPage(rows, drawing, c.dpi, 1, 0, kMeasurer);
        const PrintPageLayout later = LayoutPrintPage(rows, drawing, c.dpi, 2, 0, kMeasurer);

        EXPECT_EQ(first.ops[0].rect.top, c.titleTop);
        EXPECT_EQ(first.ops.back().rect.left, c.contentLeft);
        EXPECT_EQ(later.ops[0].rect.top, c.continuationTop);
        EXPECT_EQ(FontStyleFor(PrintFont::Title, c.dpi).height, c.titleFont);
        EXPECT_EQ(FontStyleFor(PrintFont::Key, c.dpi).height, c.bodyFont);
        EXPECT_EQ(FontStyleFor(PrintFont::Content, c.dpi).height, c.bodyFont);
    }
    EXPECT_EQ(FontStyleFor(PrintFont::Title, 300).weight, 600);
    EXPECT_EQ(FontStyleFor(PrintFont::Key, 300).weight, 600);
    EXPECT_EQ(FontStyleFor(PrintFont::Content, 300).weight, 300);
}

} // namespace
