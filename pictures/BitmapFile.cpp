#include "pictures/BitmapFile.h"
#include "pictures/BitmapFileLayout.h"
#include "framework/Clipboard.h"
#include "framework/DeviceContext.h"
#include "framework/MessageBox.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"
#include "res/MessageTexts.h"
#include <new>
#include <optional>
#include <utility>

namespace {

constexpr UINT kBitmapFileLoad = LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION;

bool WriteAll(HANDLE file, const void* data, size_t size)
{
    DWORD written = 0;
    return ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool WriteBitmapToFile(HBITMAP bitmap, const std::string& path)
{
    BITMAP shape{};
    if (!::GetObjectW(bitmap, sizeof(shape), &shape))
        return false;
    std::vector<std::uint8_t> pixels;
    int bitsPerPixel = 0;
    return GetBitmapBits(bitmap, pixels, bitsPerPixel) &&
           WriteBitmapFile(path, pixels, shape.bmWidth, shape.bmHeight, bitsPerPixel);
}

// Whether the system's bitmap loader may be given the file.
bool IsLoadableBitmapFile(const std::string& file)
{
    FileHandle handle(::CreateFileW(Wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !::GetFileSizeEx(handle.get(), &size))
        return false;
    std::string head(kBitmapHeadBytes, '\0');
    DWORD read = 0;
    if (!::ReadFile(handle.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr))
        return false;
    head.resize(read);
    return CheckBitmapFile(head, static_cast<std::uint64_t>(size.QuadPart)).Loadable();
}

}  // namespace

Bitmap LoadBitmapFile(const std::string& path)
{
    if (!IsLoadableBitmapFile(path))
        return Bitmap();
    return Bitmap(static_cast<HBITMAP>(::LoadImageW(nullptr, Wide(path).c_str(), IMAGE_BITMAP, 0, 0, kBitmapFileLoad)));
}

bool SaveClipboardBitmap(HWND window, const std::string& path)
{
    {
        Clipboard clipboard(window);
        if (clipboard.IsOpen()) {
            if (auto bitmap = static_cast<HBITMAP>(clipboard.Get(CF_BITMAP)))
                return WriteBitmapToFile(bitmap, path);
        }
    }
    // Told only once the clipboard is closed: no other program could use it while the
    // message is up.
    ShowMessage(window, kNoBitmapInClipboard, MB_OK | MB_ICONWARNING);
    return false;
}

bool GetBitmapBits(HBITMAP bitmap, std::vector<std::uint8_t>& pixels, int& bitsPerPixel)
{
    BITMAP shape{};
    if (!::GetObjectW(bitmap, sizeof(shape), &shape))
        return false;
    int screenDepth = 0;
    {
        OwnedDC display = OwnedDC::Display();
        screenDepth = ::GetDeviceCaps(display.get(), PLANES) * ::GetDeviceCaps(display.get(), BITSPIXEL);
    }
    const int fileBits = FileBitsPerPixel(screenDepth);
    const std::optional<std::size_t> size = PixelRowsSize(fileBits, shape.bmWidth, shape.bmHeight);
    if (fileBits == kNoFileFormat || !size)
        return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = shape.bmHeight;   // positive: bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(fileBits);
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> rows;
    try {
        rows.resize(*size);
    } catch (const std::bad_alloc&) {
        return false;
    }

    ClientDC screen(nullptr);
    const int linesRead = ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(shape.bmHeight), rows.data(), &info,
                                      DIB_RGB_COLORS);
    // Rows that were never read would be stored as a black picture.
    if (linesRead != shape.bmHeight)
        return false;
    pixels = std::move(rows);
    bitsPerPixel = fileBits;
    return true;
}

bool WriteBitmapFile(const std::string& path, const std::vector<std::uint8_t>& pixels, int width, int height,
                     int bitsPerPixel)
{
    const std::vector<std::uint8_t> headers = BitmapFileHeaders(width, height, bitsPerPixel, pixels.size());
    if (pixels.empty() || headers.empty())
        return false;
    bool written = false;
    {
        FileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file)
            return false;
        written = WriteAll(file.get(), headers.data(), headers.size()) &&
                  WriteAll(file.get(), pixels.data(), pixels.size());
    }
    // A cut-off picture (a full disk) must not pass for the real one.
    if (!written)
        ::DeleteFileW(Wide(path).c_str());
    return written;
}
