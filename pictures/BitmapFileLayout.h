#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The shape of the .bmp files that pasted pictures are stored in: uncompressed, 24 or 32
// bits per pixel, rows bottom-up, no colour table. And the check that a .bmp file of
// any origin is whole before the system is given it: its loader trusts the headers and
// reads wherever they point.

const int kNoFileFormat = 0;
const std::size_t kBitmapHeadersSize = 54;

// Bits per pixel of the file for a screen of `screenDepth` bits, or kNoFileFormat for
// palette screens (8 bits or less), whose pixels we do not store.
int FileBitsPerPixel(int screenDepth);

// Byte count of the pixel rows, each padded to a multiple of 4 bytes. nullopt for
// negative dimensions, more than 32 bits per pixel, and for a size so large that the file's 32-bit size field
// could not hold it, so that a caller never allocates a wrapped-around buffer.
std::optional<std::size_t> PixelRowsSize(int bitsPerPixel, int width, int height);

// The 14-byte file header followed by the 40-byte info header, little-endian, for
// `pixelBytes` bytes of pixel rows. Empty when the values cannot be represented
// (negative dimensions, more than 32 bits per pixel, or a file larger than the size field allows).
std::vector<std::uint8_t> BitmapFileHeaders(int width, int height, int bitsPerPixel, std::size_t pixelBytes);

// Why the bytes of a .bmp file cannot be given to the system's bitmap loader.
enum class BitmapFileProblem {
    None,
    TooShort,               // the file ends inside its headers
    NotABitmap,             // it does not begin with "BM"
    DeclaredSizeBeyondFile, // the size in the file header is larger than the file
    UnsupportedHeader,      // an info header of a size other than 12, 40, 108 or 124 bytes
    BadPlanes,              // planes other than 1
    BadDimensions,          // width not above 0, or height 0
    TooLarge,               // more than kMaxBitmapSide on a side or kMaxBitmapPixels in all
    UnsupportedFormat,      // bits per pixel, compression and row order the loader does not take
    BadColourCount,         // more colours than the bits per pixel can index
    ColourTableBeyondFile,  // the colour masks or the colour table reach past the end of the file
    PixelsInsideHeaders,    // the pixel rows would begin inside the headers or the colour table
    PixelsBeyondFile,       // the pixel rows reach past the end of the file
    ProfileBeyondFile,      // a colour profile reaches past the end of the file
};

struct BitmapFileCheck {
    BitmapFileProblem problem = BitmapFileProblem::None;

    bool Loadable() const { return problem == BitmapFileProblem::None; }
    // A short phrase for the problem ("the pixel rows reach past the end of the
    // file"); empty when the file can be loaded.
    const char* Reason() const;
};

// The bytes the check reads: the file header and the largest info header.
inline constexpr std::size_t kBitmapHeadBytes = 138;

// The largest picture taken. A side of 32,767 pixels is what every GDI, the 16-bit
// coordinates of the Windows 95 family included, can copy in one BitBlt; 2^28
// pixels (16,384 x 16,384) are 1 GiB as the 32-bit copy the clipboard gets, beside
// the loaded picture itself.
inline constexpr int kMaxBitmapSide = 32767;
inline constexpr std::uint64_t kMaxBitmapPixels = std::uint64_t{1} << 28;

// Whether the system's loader (LoadImage with LR_LOADFROMFILE | LR_CREATEDIBSECTION)
// can be given the .bmp file: "BM", a declared size within the file, an info header
// of 12, 40, 108 or 124 bytes, 1 plane, a sane width and height (rows bottom-up or
// top-down), uncompressed pixels of 1, 4, 8, 16, 24 or 32 bits (16 and 32 also with
// colour masks; the 12-byte header 1, 4, 8 or 24 only) or run-length compressed ones
// of 8 or 4 bits (bottom-up, of a stated image size), and the masks, the colour
// table, the pixel rows and any colour profile within the file.
// `head` holds the file's first bytes, at least kBitmapHeadBytes of them or the
// whole file when it is shorter; `fileSize` is the size of the whole file.
BitmapFileCheck CheckBitmapFile(std::string_view head, std::uint64_t fileSize);
