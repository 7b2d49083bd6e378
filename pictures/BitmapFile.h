#pragma once
#include "framework/UniqueHandle.h"
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// Pictures from the clipboard stored as .bmp files: uncompressed, bottom-up rows, 24
// bits per pixel on screens of up to 24 bits and 32 above.

// Writes the clipboard's bitmap to `path`. Tells the user (a message box owned by
// `window`, which also owns the clipboard while it is open) when the clipboard holds
// no bitmap; other failures are silent. True when the file was written.
bool SaveClipboardBitmap(HWND window, const std::string& path);

// The bitmap's pixel rows in the file's format. False on palette screens (8 bits or
// less), whose pixels are not stored, and when the rows cannot be read.
bool GetBitmapBits(HBITMAP bitmap, std::vector<std::uint8_t>& pixels, int& bitsPerPixel);

// Creates or replaces `path` with the headers and the pixel rows. On failure no
// partial file is left behind.
bool WriteBitmapFile(const std::string& path, const std::vector<std::uint8_t>& pixels, int width, int height,
                     int bitsPerPixel);

// The picture of a .bmp file of any origin, as the system loads it; empty when the file
// is missing, is not whole (the system's loader reads wherever its headers point, and
// faults), or cannot be loaded.
Bitmap LoadBitmapFile(const std::string& path);
