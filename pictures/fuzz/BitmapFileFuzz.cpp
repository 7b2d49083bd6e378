// libFuzzer target for the check a .bmp file passes before the system's loader is
// given it: whatever the bytes, the check reads only the bytes it is given, answers
// from the headers alone as from the whole file, and passes only a file whose
// headers, colour table and pixel rows lie within it. The files the image box
// writes, of any size the input names, always pass.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/BitmapFileLayout.h"
#include "store/fuzz/Require.h"

namespace {

std::uint32_t Read(std::string_view bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes.at(offset + static_cast<std::size_t>(i)));
    return value;
}

// A file that passed: its pixel rows, as the loader will find them, end within it;
// run-length rows are as long as the image size says.
void CheckPassed(std::string_view bytes)
{
    const std::uint32_t headerSize = Read(bytes, 14, 4);
    const bool core = headerSize == 12;
    // The 12-byte header's sizes are unsigned 16-bit, the others' signed 32-bit.
    const std::int64_t width = core ? std::int64_t{Read(bytes, 18, 2)} : std::int32_t(Read(bytes, 18, 4));
    const std::int64_t height = core ? std::int64_t{Read(bytes, 20, 2)} : std::int32_t(Read(bytes, 22, 4));
    const std::uint32_t bits = Read(bytes, core ? 24 : 28, 2);
    REQUIRE(width > 0 && width <= kMaxBitmapSide && height != 0 && (height < 0 ? -height : height) <= kMaxBitmapSide);
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    const std::uint32_t compression = core ? 0 : Read(bytes, 30, 4);
    const bool runLength = compression == 1 || compression == 2;
    const std::uint64_t pixelBytes =
        runLength ? Read(bytes, 34, 4) : (bits * static_cast<std::uint64_t>(width) + 31) / 32 * 4 * rows;
    const std::uint64_t offset = Read(bytes, 10, 4);
    REQUIRE(offset >= 14 + headerSize && offset + pixelBytes <= bytes.size());
}

// The image box's file for width, height and depth taken from the input.
void CheckWritten(std::string_view bytes)
{
    if (bytes.size() < 3) return;
    const int width = 1 + static_cast<std::uint8_t>(bytes[0]);
    const int height = 1 + static_cast<std::uint8_t>(bytes[1]);
    const int bits = bytes[2] & 1 ? 32 : 24;
    const std::size_t pixelBytes = *PixelRowsSize(bits, width, height);
    const std::vector<std::uint8_t> headers = BitmapFileHeaders(width, height, bits, pixelBytes);
    const std::string file = std::string(headers.begin(), headers.end()) + std::string(pixelBytes, '\0');
    REQUIRE(CheckBitmapFile(file, file.size()).Loadable());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const BitmapFileCheck whole = CheckBitmapFile(bytes, size);
    REQUIRE(whole.Loadable() == (std::string_view(whole.Reason()).empty()));

    // Only the first bytes, in a buffer of their own so that a read past them is caught.
    const std::size_t headSize = std::min(size, kBitmapHeadBytes);
    const std::vector<char> head(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(headSize));
    REQUIRE(CheckBitmapFile(std::string_view(head.data(), head.size()), size).problem == whole.problem);

    if (whole.Loadable()) CheckPassed(bytes);
    CheckWritten(bytes);
    return 0;
}
