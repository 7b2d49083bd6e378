#include "tests/wine/support/Clipboard.h"
#include <gtest/gtest.h>
#include <cstring>

namespace wt {

std::optional<std::string> ClipboardText()
{
    if (!::OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
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
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block) {
        std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
    }
    return SetClipboard(CF_TEXT, block, [](HANDLE data) { ::GlobalFree(data); });
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
        ::GetObjectA(bitmap, sizeof(shape), &shape);
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

}  // namespace wt
