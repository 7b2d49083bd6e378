#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The shape of the .bmp files that pasted pictures are stored in: uncompressed, 24 or 32
// bits per pixel, rows bottom-up, no colour table.

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
