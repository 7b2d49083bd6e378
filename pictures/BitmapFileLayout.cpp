#include "pictures/BitmapFileLayout.h"

#include <limits>

namespace {

const int kPaletteDepthLimit = 8;
const int kTrueColourDepth = 24;
const int kBitsPerPixel24 = 24;
const int kBitsPerPixel32 = 32;
const int kMaxBitsPerPixel = 32;

const std::uint32_t kInfoHeaderSize = 40;
const std::uint8_t kFileTypeB = 0x42;
const std::uint8_t kFileTypeM = 0x4D;
const std::uint16_t kPlanes = 1;
const std::uint32_t kUncompressedRgb = 0;
// Image size, two resolutions, colours used, important colours.
const int kZeroInfoFields = 5;

const std::uint64_t kMaxFileSize = std::numeric_limits<std::uint32_t>::max();

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

int FileBitsPerPixel(int screenDepth)
{
    if (screenDepth <= kPaletteDepthLimit)
        return kNoFileFormat;
    return screenDepth <= kTrueColourDepth ? kBitsPerPixel24 : kBitsPerPixel32;
}

std::optional<std::size_t> PixelRowsSize(int bitsPerPixel, int width, int height)
{
    if (bitsPerPixel < 0 || bitsPerPixel > kMaxBitsPerPixel || width < 0 || height < 0)
        return std::nullopt;
    // The row cannot overflow 64 bits; the product with the height is checked before
    // it is formed.
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(bitsPerPixel) * width + 31) / 32 * 4;
    const std::uint64_t limit = kMaxFileSize - kBitmapHeadersSize;
    if (height != 0 && rowBytes > limit / static_cast<std::uint64_t>(height))
        return std::nullopt;
    return static_cast<std::size_t>(rowBytes * static_cast<std::uint64_t>(height));
}

std::vector<std::uint8_t> BitmapFileHeaders(int width, int height, int bitsPerPixel, std::size_t pixelBytes)
{
    if (width < 0 || height < 0 || bitsPerPixel < 0 || bitsPerPixel > kMaxBitsPerPixel ||
        static_cast<std::uint64_t>(pixelBytes) > kMaxFileSize - kBitmapHeadersSize)
        return {};

    std::vector<std::uint8_t> headers;
    headers.reserve(kBitmapHeadersSize);
    headers.push_back(kFileTypeB);
    headers.push_back(kFileTypeM);
    PutLittleEndian(headers, static_cast<std::uint32_t>(kBitmapHeadersSize + pixelBytes), 4);
    PutLittleEndian(headers, 0, 2);
    PutLittleEndian(headers, 0, 2);
    PutLittleEndian(headers, static_cast<std::uint32_t>(kBitmapHeadersSize), 4);

    PutLittleEndian(headers, kInfoHeaderSize, 4);
    PutLittleEndian(headers, static_cast<std::uint32_t>(width), 4);
    // A positive height: the rows are stored bottom-up.
    PutLittleEndian(headers, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(headers, kPlanes, 2);
    PutLittleEndian(headers, static_cast<std::uint32_t>(bitsPerPixel), 2);
    PutLittleEndian(headers, kUncompressedRgb, 4);
    // Image size, resolutions and colour counts: 0 is allowed for uncompressed RGB and
    // tells readers there is no colour table.
    for (int field = 0; field < kZeroInfoFields; ++field)
        PutLittleEndian(headers, 0, 4);
    return headers;
}

namespace {

const std::size_t kFileHeaderSize = 14;
const std::size_t kInfoSizeEnd = kFileHeaderSize + 4;
const std::uint32_t kCoreHeaderSize = 12;
const std::uint32_t kV4HeaderSize = 108;
const std::uint32_t kV5HeaderSize = 124;
const std::uint32_t kColourMasks = 3;
const std::uint32_t kRunLength8 = 1;
const std::uint32_t kRunLength4 = 2;
const std::uint32_t kBitFields = 3;
const std::uint32_t kCoreEntrySize = 3;  // RGBTRIPLE
const std::uint32_t kEntrySize = 4;      // RGBQUAD
const int kMaxIndexedBits = 8;
const std::uint32_t kProfileLinked = 0x4C494E4B;    // 'LINK'
const std::uint32_t kProfileEmbedded = 0x4D424544;  // 'MBED'

// Offsets in the file header, and in the info header that follows it.
const std::size_t kDeclaredSizeAt = 2, kPixelOffsetAt = 10;
const std::size_t kCoreWidthAt = 4, kCoreHeightAt = 6, kCorePlanesAt = 8, kCoreBitCountAt = 10;
const std::size_t kWidthAt = 4, kHeightAt = 8, kPlanesAt = 12, kBitCountAt = 14, kCompressionAt = 16,
                  kImageSizeAt = 20, kColoursUsedAt = 32;
const std::size_t kColourSpaceTypeAt = 56, kProfileDataAt = 112, kProfileSizeAt = 116;

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

struct InfoHeader {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows top-down
    std::uint32_t planes = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kUncompressedRgb;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
};

InfoHeader ReadInfoHeader(std::string_view info, std::uint32_t size)
{
    InfoHeader h;
    if (size == kCoreHeaderSize) {
        h.width = ReadLittleEndian(info, kCoreWidthAt, 2);
        h.height = ReadLittleEndian(info, kCoreHeightAt, 2);
        h.planes = ReadLittleEndian(info, kCorePlanesAt, 2);
        h.bitCount = ReadLittleEndian(info, kCoreBitCountAt, 2);
        return h;
    }
    h.width = static_cast<std::int32_t>(ReadLittleEndian(info, kWidthAt, 4));
    h.height = static_cast<std::int32_t>(ReadLittleEndian(info, kHeightAt, 4));
    h.planes = ReadLittleEndian(info, kPlanesAt, 2);
    h.bitCount = ReadLittleEndian(info, kBitCountAt, 2);
    h.compression = ReadLittleEndian(info, kCompressionAt, 4);
    h.imageSize = ReadLittleEndian(info, kImageSizeAt, 4);
    h.coloursUsed = ReadLittleEndian(info, kColoursUsedAt, 4);
    return h;
}

bool SupportedFormat(std::uint32_t headerSize, const InfoHeader& h)
{
    if (headerSize == kCoreHeaderSize)
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 24;
    if (h.compression == kUncompressedRgb)
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 || h.bitCount == 24 ||
               h.bitCount == 32;
    if (h.compression == kBitFields) return h.bitCount == 16 || h.bitCount == 32;
    // Run-length rows are stored bottom-up only, and their length is the image size.
    if (h.compression == kRunLength8 || h.compression == kRunLength4)
        return h.bitCount == (h.compression == kRunLength8 ? 8u : 4u) && h.height > 0 && h.imageSize > 0;
    return false;
}

bool IsRunLength(const InfoHeader& h) { return h.compression == kRunLength8 || h.compression == kRunLength4; }

BitmapFileProblem FindProblem(std::string_view head, std::uint64_t fileSize)
{
    if (head.size() > fileSize) head = head.substr(0, static_cast<std::size_t>(fileSize));
    if (head.size() < 2) return BitmapFileProblem::TooShort;
    if (static_cast<std::uint8_t>(head[0]) != kFileTypeB || static_cast<std::uint8_t>(head[1]) != kFileTypeM)
        return BitmapFileProblem::NotABitmap;
    if (head.size() < kInfoSizeEnd) return BitmapFileProblem::TooShort;
    const std::uint32_t headerSize = ReadLittleEndian(head, kFileHeaderSize, 4);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize && headerSize != kV4HeaderSize &&
        headerSize != kV5HeaderSize)
        return BitmapFileProblem::UnsupportedHeader;
    if (head.size() < kFileHeaderSize + headerSize) return BitmapFileProblem::TooShort;
    if (ReadLittleEndian(head, kDeclaredSizeAt, 4) > fileSize) return BitmapFileProblem::DeclaredSizeBeyondFile;
    const std::uint64_t pixelOffset = ReadLittleEndian(head, kPixelOffsetAt, 4);
    const std::string_view info = head.substr(kFileHeaderSize, headerSize);
    const InfoHeader h = ReadInfoHeader(info, headerSize);

    if (h.planes != kPlanes) return BitmapFileProblem::BadPlanes;
    if (h.width <= 0 || h.height == 0) return BitmapFileProblem::BadDimensions;
    const std::uint64_t rows = static_cast<std::uint64_t>(h.height < 0 ? -h.height : h.height);
    const std::uint64_t columns = static_cast<std::uint64_t>(h.width);
    if (columns > kMaxBitmapSide || rows > kMaxBitmapSide || columns * rows > kMaxBitmapPixels)
        return BitmapFileProblem::TooLarge;
    if (!SupportedFormat(headerSize, h)) return BitmapFileProblem::UnsupportedFormat;

    std::uint64_t colours = h.coloursUsed;
    if (h.bitCount <= kMaxIndexedBits) {
        const std::uint64_t indexable = std::uint64_t{1} << h.bitCount;
        if (colours > indexable) return BitmapFileProblem::BadColourCount;
        if (colours == 0) colours = indexable;
    }
    // Only a 40-byte header is followed by its masks; the larger ones hold them.
    const std::uint64_t masks = h.compression == kBitFields && headerSize == kInfoHeaderSize ? kColourMasks * 4 : 0;
    const std::uint64_t tableEnd = kFileHeaderSize + headerSize + masks +
                                   colours * (headerSize == kCoreHeaderSize ? kCoreEntrySize : kEntrySize);
    if (tableEnd > fileSize) return BitmapFileProblem::ColourTableBeyondFile;
    if (pixelOffset < tableEnd) return BitmapFileProblem::PixelsInsideHeaders;
    const std::uint64_t pixelBytes = IsRunLength(h) ? h.imageSize : (h.bitCount * columns + 31) / 32 * 4 * rows;
    if (pixelOffset > fileSize || pixelBytes > fileSize - pixelOffset) return BitmapFileProblem::PixelsBeyondFile;

    if (headerSize == kV5HeaderSize) {
        const std::uint32_t type = ReadLittleEndian(info, kColourSpaceTypeAt, 4);
        const std::uint64_t profileEnd = kFileHeaderSize + std::uint64_t{ReadLittleEndian(info, kProfileDataAt, 4)} +
                                         ReadLittleEndian(info, kProfileSizeAt, 4);
        if ((type == kProfileLinked || type == kProfileEmbedded) && profileEnd > fileSize)
            return BitmapFileProblem::ProfileBeyondFile;
    }
    return BitmapFileProblem::None;
}

} // namespace

const char* BitmapFileCheck::Reason() const
{
    switch (problem) {
    case BitmapFileProblem::None: return "";
    case BitmapFileProblem::TooShort: return "the file ends inside its headers";
    case BitmapFileProblem::NotABitmap: return "the file is no bitmap file";
    case BitmapFileProblem::DeclaredSizeBeyondFile: return "the file is shorter than its header says";
    case BitmapFileProblem::UnsupportedHeader: return "the bitmap header is of an unknown kind";
    case BitmapFileProblem::BadPlanes: return "the bitmap has more than one plane";
    case BitmapFileProblem::BadDimensions: return "the bitmap has no width or no height";
    case BitmapFileProblem::TooLarge: return "the bitmap is too large";
    case BitmapFileProblem::UnsupportedFormat: return "the bitmap's colour format is not supported";
    case BitmapFileProblem::BadColourCount: return "the bitmap has more colours than it can use";
    case BitmapFileProblem::ColourTableBeyondFile: return "the colour table reaches past the end of the file";
    case BitmapFileProblem::PixelsInsideHeaders: return "the pixel rows begin inside the headers";
    case BitmapFileProblem::PixelsBeyondFile: return "the pixel rows reach past the end of the file";
    case BitmapFileProblem::ProfileBeyondFile: return "the colour profile reaches past the end of the file";
    }
    return "";
}

BitmapFileCheck CheckBitmapFile(std::string_view head, std::uint64_t fileSize)
{
    return {FindProblem(head, fileSize)};
}
