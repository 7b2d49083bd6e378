// The yardstick for the key-to-clipboard benchmark: the least a program can do to turn
// CTRL+ALT+T into clipboard text through the same hook library (MinimalHotkeyHost).
// No table, no popup.
#include "bench/MinimalHotkeyHost.h"
#include <windows.h>
#include <cstring>

namespace {

constexpr char kText[] = "minimal";
constexpr char kClassName[] = "TarnwickMinimalHook";

void PutTextOnClipboard(HWND owner)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_DDESHARE, sizeof(kText));
    std::memcpy(::GlobalLock(block), kText, sizeof(kText));
    ::GlobalUnlock(block);
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(block);
        return;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_TEXT, block))
        ::GlobalFree(block);
    ::CloseClipboard();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunMinimalHotkeyHost(instance, kClassName, 'T', PutTextOnClipboard);
}
