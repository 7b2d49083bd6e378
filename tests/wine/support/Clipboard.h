#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

// The clipboard as the tests fill and read it: texts, and pictures as plain pixels.
namespace wt {

// The clipboard's CF_UNICODETEXT, as UTF-8; nullopt when it holds no text or cannot
// be opened. Windows makes it from CF_TEXT for a program that put only that.
std::optional<std::string> ClipboardText();
// Its CF_TEXT, what a program that knows only ANSI text reads, in UTF-8: a character
// that the ANSI code page lacks comes as Windows put it there (as "?").
std::optional<std::string> ClipboardAnsiText();
void EmptyTheClipboard();
// Puts the UTF-8 text on the clipboard as CF_UNICODETEXT; false when the clipboard
// could not be opened or would not take it.
[[nodiscard]] bool PutTextOnClipboard(const std::string& text);
// What the tests put on the clipboard where it must stay untouched. Stops the test
// where it fails, when called under ASSERT_NO_FATAL_FAILURE.
constexpr char kMarker[] = "untouched";
void PutMarkerOnClipboard();

// A picture as 0x00RRGGBB pixels, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
};

// A 32-bit top-down DIB of that size: rows as Picture keeps them.
BITMAPINFO TopDownBitmapInfo(int width, int height);

// Puts the picture on the clipboard as CF_BITMAP (a bitmap of the screen's format);
// false when the clipboard would not take it.
[[nodiscard]] bool PutPictureOnClipboard(const Picture& picture);
// The clipboard's CF_BITMAP; nullopt when it holds none or cannot be read.
std::optional<Picture> ClipboardPicture();
bool ClipboardHasBitmap();

// The 54 header bytes of a bottom-up 24-bit .bmp file of that size, whose pixel rows
// follow them; and a whole such file of the pixels (0x00RRGGBB, top row first).
std::string BitmapFileHeaders(int width, int height);
std::string BitmapFile(int width, int height, const std::vector<COLORREF>& pixels);

}  // namespace wt
