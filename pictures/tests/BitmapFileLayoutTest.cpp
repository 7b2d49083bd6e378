#include "pictures/BitmapFileLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>
#include <tuple>
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

namespace {

const std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpeg = 4;

void Put(std::string& bytes, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// A .bmp file whose pixel rows follow its headers and `gap` bytes of masks or
// colour table, with every size field telling the truth.
std::string File(std::uint32_t headerSize, std::int32_t width, std::int32_t height, int bitCount,
                 std::uint32_t compression = kRgb, std::uint32_t coloursUsed = 0, std::size_t gap = 0)
{
    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    const std::int64_t rowBytes = (bitCount * static_cast<std::int64_t>(width) + 31) / 32 * 4;
    const std::size_t pixels = static_cast<std::size_t>(rowBytes * rows);
    const std::size_t offset = 14 + headerSize + gap;
    std::string bytes(offset + pixels, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    Put(bytes, 10, static_cast<std::uint32_t>(offset), 4);
    Put(bytes, 14, headerSize, 4);
    if (headerSize == 12) {
        Put(bytes, 18, static_cast<std::uint32_t>(width), 2);
        Put(bytes, 20, static_cast<std::uint32_t>(height), 2);
        Put(bytes, 22, 1, 2);
        Put(bytes, 24, static_cast<std::uint32_t>(bitCount), 2);
        return bytes;
    }
    Put(bytes, 18, static_cast<std::uint32_t>(width), 4);
    Put(bytes, 22, static_cast<std::uint32_t>(height), 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, static_cast<std::uint32_t>(bitCount), 2);
    Put(bytes, 30, compression, 4);
    Put(bytes, 46, coloursUsed, 4);
    return bytes;
}

// What the image box writes for a picture: the headers of BitmapFileHeaders and its rows.
std::string WrittenByTheImageBox(int width, int height, int bitsPerPixel)
{
    const std::size_t pixelBytes = *PixelRowsSize(bitsPerPixel, width, height);
    const std::vector<std::uint8_t> headers = BitmapFileHeaders(width, height, bitsPerPixel, pixelBytes);
    return std::string(headers.begin(), headers.end()) + std::string(pixelBytes, '\x7F');
}

BitmapFileProblem Check(const std::string& bytes) { return CheckBitmapFile(bytes, bytes.size()).problem; }

} // namespace

TEST(CheckBitmapFile, TheFilesTheImageBoxWritesCanBeLoaded)
{
    for (const auto& [width, height, bits] : {std::tuple{3, 2, 24}, {1, 1, 32}, {1024, 768, 32}, {5, 7, 24}}) {
        const std::string file = WrittenByTheImageBox(width, height, bits);
        const BitmapFileCheck check = CheckBitmapFile(file, file.size());
        EXPECT_TRUE(check.Loadable()) << width << "x" << height << " at " << bits << ": " << check.Reason();
        EXPECT_STREQ(check.Reason(), "");
        // The headers alone are enough to tell.
        EXPECT_TRUE(CheckBitmapFile(std::string_view(file).substr(0, kBitmapHeadBytes), file.size()).Loadable());
    }
}

// The loader, given such a file, reads past its end.
TEST(CheckBitmapFile, ACutFileIsRefused)
{
    const std::string file = WrittenByTheImageBox(3, 2, 24);
    const struct {
        std::size_t length;
        BitmapFileProblem problem;
    } cases[] = {
        {0, BitmapFileProblem::TooShort},
        {1, BitmapFileProblem::TooShort},
        {17, BitmapFileProblem::TooShort},
        {30, BitmapFileProblem::TooShort},
        {53, BitmapFileProblem::TooShort},
        {file.size() - 1, BitmapFileProblem::DeclaredSizeBeyondFile},
    };
    for (const auto& c : cases) {
        const BitmapFileCheck check = CheckBitmapFile(file.substr(0, c.length), c.length);
        EXPECT_EQ(check.problem, c.problem) << "first " << c.length << " bytes";
        EXPECT_FALSE(check.Loadable());
        EXPECT_STRNE(check.Reason(), "");
    }
    // Some programs leave the declared size 0; the real size still counts.
    std::string unsized = file.substr(0, file.size() - 1);
    Put(unsized, 2, 0, 4);
    EXPECT_EQ(Check(unsized), BitmapFileProblem::PixelsBeyondFile);
    // Headers cut short by the caller, whatever the file's size.
    EXPECT_EQ(CheckBitmapFile(file.substr(0, 30), file.size()).problem, BitmapFileProblem::TooShort);
}

TEST(CheckBitmapFile, HeaderFields)
{
    const std::string good = File(40, 3, 2, 24);
    const struct {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        int size;
        BitmapFileProblem problem;
    } cases[] = {
        {"not BM", 0, 'B' | ('A' << 8), 2, BitmapFileProblem::NotABitmap},
        {"declared size one past the file", 2, static_cast<std::uint32_t>(good.size() + 1), 4,
         BitmapFileProblem::DeclaredSizeBeyondFile},
        {"declared size 0, as some programs write", 2, 0, 4, BitmapFileProblem::None},
        {"info header of 56 bytes", 14, 56, 4, BitmapFileProblem::UnsupportedHeader},
        {"info header of 0 bytes", 14, 0, 4, BitmapFileProblem::UnsupportedHeader},
        {"2 planes", 26, 2, 2, BitmapFileProblem::BadPlanes},
        {"width 0", 18, 0, 4, BitmapFileProblem::BadDimensions},
        {"width negative", 18, static_cast<std::uint32_t>(-3), 4, BitmapFileProblem::BadDimensions},
        {"height 0", 22, 0, 4, BitmapFileProblem::BadDimensions},
        {"rows top-down", 22, static_cast<std::uint32_t>(-2), 4, BitmapFileProblem::None},
        {"height of the most negative int", 22, 0x80000000u, 4, BitmapFileProblem::TooLarge},
        {"width past the largest side", 18, kMaxBitmapSide + 1, 4, BitmapFileProblem::TooLarge},
        {"2 bits per pixel", 28, 2, 2, BitmapFileProblem::UnsupportedFormat},
        {"0 bits per pixel", 28, 0, 2, BitmapFileProblem::UnsupportedFormat},
        {"run-length compressed", 30, kRle8, 4, BitmapFileProblem::UnsupportedFormat},
        {"masks on 24 bits", 30, kBitFields, 4, BitmapFileProblem::UnsupportedFormat},
        {"JPEG inside", 30, kJpeg, 4, BitmapFileProblem::UnsupportedFormat},
        {"colours beside 24-bit pixels, past the pixel offset", 46, 1, 4, BitmapFileProblem::PixelsInsideHeaders},
        {"a colour table past the end of the file", 46, 1000, 4, BitmapFileProblem::ColourTableBeyondFile},
        {"pixels starting inside the info header", 10, 40, 4, BitmapFileProblem::PixelsInsideHeaders},
        {"pixels starting a byte late", 10, 55, 4, BitmapFileProblem::PixelsBeyondFile},
        {"pixels starting past the end", 10, 0xFFFFFFFFu, 4, BitmapFileProblem::PixelsBeyondFile},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        Put(bytes, c.offset, c.value, c.size);
        EXPECT_EQ(Check(bytes), c.problem) << c.what;
    }
    // Both sides within bounds, but too many pixels in all.
    std::string tooMany = File(40, 20000, 1, 1);
    Put(tooMany, 22, 20000, 4);
    EXPECT_EQ(CheckBitmapFile(tooMany, std::uint64_t{1} << 32).problem, BitmapFileProblem::TooLarge);
}

TEST(CheckBitmapFile, ColourTablesMasksAndOtherHeaders)
{
    const std::uint32_t embedded = 0x4D424544;  // 'MBED'
    std::string profileInside = File(124, 2, 2, 32, kRgb, 0, 16);
    Put(profileInside, 14 + 56, embedded, 4);
    Put(profileInside, 14 + 112, 124, 4);  // from the start of the info header: right after it
    Put(profileInside, 14 + 116, 16, 4);
    std::string profileOutside = profileInside;
    Put(profileOutside, 14 + 116, 17 + static_cast<std::uint32_t>(profileInside.size()), 4);

    // Run-length rows: as long as the image size says, here the 8 bytes after the table.
    const auto runLength = [](std::uint32_t compression, int bits, std::int32_t height, std::uint32_t imageSize) {
        std::string bytes = File(40, 4, 2, bits, compression, 0, (std::size_t{1} << bits) * 4);
        Put(bytes, 22, static_cast<std::uint32_t>(height), 4);
        Put(bytes, 34, imageSize, 4);
        return bytes;
    };

    const struct {
        const char* what;
        std::string bytes;
        BitmapFileProblem problem;
    } cases[] = {
        {"8 bits run-length", runLength(kRle8, 8, 2, 8), BitmapFileProblem::None},
        {"4 bits run-length", runLength(kRle4, 4, 2, 4), BitmapFileProblem::None},
        {"run-length past the end", runLength(kRle8, 8, 2, 9), BitmapFileProblem::PixelsBeyondFile},
        {"run-length of no stated size", runLength(kRle8, 8, 2, 0), BitmapFileProblem::UnsupportedFormat},
        {"run-length top-down", runLength(kRle8, 8, -2, 8), BitmapFileProblem::UnsupportedFormat},
        {"4-bit run-length on 8 bits", runLength(kRle4, 8, 2, 8), BitmapFileProblem::UnsupportedFormat},
        {"8 bits with all 256 colours", File(40, 5, 3, 8, kRgb, 0, 256 * 4), BitmapFileProblem::None},
        {"8 bits with 256 colours and no room for them", File(40, 5, 3, 8, kRgb, 0, 0),
         BitmapFileProblem::ColourTableBeyondFile},
        {"8 bits with 256 colours where the pixels are", File(40, 64, 16, 8, kRgb, 0, 0),
         BitmapFileProblem::PixelsInsideHeaders},
        {"1 bit with 2 colours", File(40, 9, 2, 1, kRgb, 2, 8), BitmapFileProblem::None},
        {"4 bits with 17 colours", File(40, 9, 2, 4, kRgb, 17, 17 * 4), BitmapFileProblem::BadColourCount},
        {"16 bits", File(40, 3, 3, 16), BitmapFileProblem::None},
        {"32 bits with masks after the header", File(40, 3, 3, 32, kBitFields, 0, 12), BitmapFileProblem::None},
        {"32 bits with masks and no room for them", File(40, 3, 3, 32, kBitFields, 0, 0),
         BitmapFileProblem::PixelsInsideHeaders},
        {"16 bits with masks inside a 108-byte header", File(108, 3, 3, 16, kBitFields), BitmapFileProblem::None},
        {"12-byte header, 24 bits", File(12, 2, 2, 24), BitmapFileProblem::None},
        {"12-byte header, 8 bits with 3-byte colours", File(12, 2, 2, 8, kRgb, 0, 256 * 3), BitmapFileProblem::None},
        {"12-byte header, 8 bits without its colours", File(12, 2, 2, 8), BitmapFileProblem::ColourTableBeyondFile},
        {"12-byte header, 32 bits", File(12, 2, 2, 32), BitmapFileProblem::UnsupportedFormat},
        {"124-byte header with its profile inside the file", profileInside, BitmapFileProblem::None},
        {"124-byte header with its profile past the end", profileOutside, BitmapFileProblem::ProfileBeyondFile},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check(c.bytes), c.problem) << c.what;
        EXPECT_EQ(CheckBitmapFile(std::string_view(c.bytes).substr(0, kBitmapHeadBytes), c.bytes.size()).problem,
                  c.problem)
            << c.what << ", from the headers alone";
    }
}
