#include "editor/BitmapFileLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

TEST(FileBitsPerPixel, PaletteScreensHaveNoFileFormat)
{
    struct Case {
        int screenDepth;
        int expected;
    };
    for (const Case& c : {Case{1, kNoFileFormat}, Case{4, kNoFileFormat}, Case{8, kNoFileFormat},
                          Case{15, 24}, Case{16, 24}, Case{24, 24}, Case{32, 32}}) {
        EXPECT_EQ(FileBitsPerPixel(c.screenDepth), c.expected) << "depth " << c.screenDepth;
    }
}

TEST(PixelRowsSize, PadsEveryRowToFourBytes)
{
    struct Case {
        int bitsPerPixel;
        int width;
        int height;
        std::size_t expected;
    };
    for (const Case& c : {Case{24, 3, 1, 12}, Case{24, 3, 2, 24}, Case{24, 1, 1, 4}, Case{24, 4, 1, 12},
                          Case{32, 3, 2, 24}, Case{24, 0, 5, 0}, Case{24, 5, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.bitsPerPixel << " bpp " << c.width << "x" << c.height);
        EXPECT_EQ(PixelRowsSize(c.bitsPerPixel, c.width, c.height), c.expected);
    }
}

TEST(PixelRowsSize, RefusesSizesTheFileCannotHold)
{
    // 32 bits, one pixel wide: 4 bytes a row, and the 32-bit file size includes the
    // 54 header bytes.
    const int tallestFitting = static_cast<int>((UINT32_MAX - kBitmapHeadersSize) / 4);
    EXPECT_EQ(PixelRowsSize(32, 1, tallestFitting), static_cast<std::size_t>(tallestFitting) * 4);
    EXPECT_EQ(PixelRowsSize(32, 1, tallestFitting + 1), std::nullopt);

    EXPECT_EQ(PixelRowsSize(32, 40000, 40000), std::nullopt);
    EXPECT_EQ(PixelRowsSize(32, INT_MAX, INT_MAX), std::nullopt);
    EXPECT_EQ(PixelRowsSize(24, -3, 2), std::nullopt);
    EXPECT_EQ(PixelRowsSize(24, 3, -2), std::nullopt);
    EXPECT_EQ(PixelRowsSize(64, 3, 2), std::nullopt);
}

TEST(BitmapFileHeaders, WritesTheHeadersOfA24BitBitmap)
{
    // 3 x 2 pixels at 24 bits: rows of 12 bytes (9 of pixels, 3 of padding).
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

    EXPECT_EQ(BitmapFileHeaders(3, 2, 24, 24), expected);
}

std::uint32_t Read(const std::vector<std::uint8_t>& bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + i);
    return value;
}

TEST(BitmapFileHeaders, ReadsBackWhatAReaderExpects)
{
    struct Case {
        int width;
        int height;
        int bitsPerPixel;
    };
    for (const Case& c : {Case{1024, 768, 32}, Case{70000, 3, 24}, Case{1, 1, 24}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.bitsPerPixel);
        const std::size_t pixelBytes = *PixelRowsSize(c.bitsPerPixel, c.width, c.height);

        const std::vector<std::uint8_t> h = BitmapFileHeaders(c.width, c.height, c.bitsPerPixel, pixelBytes);

        ASSERT_EQ(h.size(), kBitmapHeadersSize);
        EXPECT_EQ(Read(h, 0, 2), 0x4D42u);
        EXPECT_EQ(Read(h, 2, 4), kBitmapHeadersSize + pixelBytes);
        EXPECT_EQ(Read(h, 6, 4), 0u);
        EXPECT_EQ(Read(h, 10, 4), kBitmapHeadersSize);
        EXPECT_EQ(Read(h, 14, 4), 40u);
        EXPECT_EQ(Read(h, 18, 4), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(Read(h, 22, 4), static_cast<std::uint32_t>(c.height));
        EXPECT_EQ(Read(h, 26, 2), 1u);
        EXPECT_EQ(Read(h, 28, 2), static_cast<std::uint32_t>(c.bitsPerPixel));
        for (std::size_t offset = 30; offset < kBitmapHeadersSize; offset += 4)
            EXPECT_EQ(Read(h, offset, 4), 0u) << "offset " << offset;
    }
}

TEST(BitmapFileHeaders, RefusesValuesTheFieldsCannotHold)
{
    const std::size_t largestPixelBytes = UINT32_MAX - kBitmapHeadersSize;
    EXPECT_EQ(BitmapFileHeaders(1, 1, 32, largestPixelBytes).size(), kBitmapHeadersSize);
    EXPECT_TRUE(BitmapFileHeaders(1, 1, 32, largestPixelBytes + 1).empty());
    EXPECT_TRUE(BitmapFileHeaders(-3, 2, 24, 24).empty());
    EXPECT_TRUE(BitmapFileHeaders(3, -2, 24, 24).empty());
}

} // namespace
