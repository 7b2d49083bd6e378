#include "editor/BitmapFileLayout.h"

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
