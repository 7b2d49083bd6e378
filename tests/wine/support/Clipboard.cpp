#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/Utf8.h"
#include <gtest/gtest.h>
#include <cstring>

namespace wt {

namespace {
// The text in the clipboard's block of that format, up to its terminating zero.
template <typename Char>
std::optional<std::basic_string<Char>> ClipboardChars(UINT format)
{
    if (!::OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::basic_string<Char>> text;
    if (HANDLE data = ::GetClipboardData(format)) {
        if (const Char* chars = static_cast<const Char*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}
}

std::optional<std::string> ClipboardText()
{
    const std::optional<std::wstring> text = ClipboardChars<wchar_t>(CF_UNICODETEXT);
    return text ? std::optional<std::string>(Utf8(*text)) : std::nullopt;
}

std::optional<std::string> ClipboardAnsiText()
{
    const std::optional<std::string> text = ClipboardChars<char>(CF_TEXT);
    return text ? std::optional<std::string>(Utf8(WideFrom(CP_ACP, *text))) : std::nullopt;
}

void EmptyTheClipboard()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

namespace {
// Hands the data to the clipboard, which owns it from then on; a refused handle is
// ours to free.
bool SetClipboard(UINT format, HANDLE data, void (*free)(HANDLE))
{
    if (!data)
        return false;
    if (!::OpenClipboard(nullptr)) {
        free(data);
        return false;
    }
    ::EmptyClipboard();
    const bool taken = ::SetClipboardData(format, data) != nullptr;
    ::CloseClipboard();
    if (!taken)
        free(data);
    return taken;
}
}

bool PutTextOnClipboard(const std::string& text)
{
    const std::wstring wide = Wide(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block) {
        std::memcpy(::GlobalLock(block), wide.c_str(), bytes);
        ::GlobalUnlock(block);
    }
    return SetClipboard(CF_UNICODETEXT, block, [](HANDLE data) { ::GlobalFree(data); });
}

void PutMarkerOnClipboard()
{
    ASSERT_TRUE(PutTextOnClipboard(kMarker)) << "the clipboard did not take the marker";
}

BITMAPINFO TopDownBitmapInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool PutPictureOnClipboard(const Picture& picture)
{
    const BITMAPINFO info = TopDownBitmapInfo(picture.width, picture.height);
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, picture.width, picture.height);
    if (bitmap)
        ::SetDIBits(screen, bitmap, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return SetClipboard(CF_BITMAP, bitmap, [](HANDLE data) { ::DeleteObject(data); });
}

std::optional<Picture> ClipboardPicture()
{
    if (!::OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<Picture> result;
    if (HBITMAP bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        BITMAP shape{};
        ::GetObjectW(bitmap, sizeof(shape), &shape);
        Picture picture{shape.bmWidth, shape.bmHeight, {}};
        picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
        BITMAPINFO info = TopDownBitmapInfo(picture.width, picture.height);
        HDC screen = ::GetDC(nullptr);
        const int rows = ::GetDIBits(screen, bitmap, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        if (rows == picture.height) {
            for (COLORREF& pixel : picture.pixels)
                pixel &= 0xFFFFFF;
            result = std::move(picture);
        }
    }
    ::CloseClipboard();
    return result;
}

bool ClipboardHasBitmap()
{
    return ::IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

namespace {
int BitmapFileStride(int width) { return (width * 3 + 3) & ~3; }
}

std::string BitmapFileHeaders(int width, int height)
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + BitmapFileStride(width) * height;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    return bytes;
}

std::string BitmapFile(int width, int height, const std::vector<COLORREF>& pixels)
{
    std::string bytes = BitmapFileHeaders(width, height);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(BitmapFileStride(width), '\0');
        for (int x = 0; x < width; ++x) {
            const COLORREF rgb = pixels[y * width + x];
            row[x * 3] = static_cast<char>(rgb & 0xFF);
            row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
        bytes += row;
    }
    return bytes;
}

}  // namespace wt
