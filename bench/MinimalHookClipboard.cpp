// The yardstick for the key-to-clipboard benchmark: the least a program can do to turn
// CTRL+ALT+T into clipboard text through the same hook library. No table, no popup.
#include "keyhook/KeyHook.h"
#include <windows.h>
#include <cstring>

namespace {

constexpr char kText[] = "minimal";
constexpr char kClassName[] = "TarnwickMinimalHook";

UINT KeyDownMessage() { return ::RegisterWindowMessageA("HOOKKEYDOWNMESSAGEID"); }

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

constexpr LPARAM kCtrlAlt = kKeyHookCtrlDown | kKeyHookAltDown;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT keyDown = KeyDownMessage();
    if (message == keyDown) {
        if (wParam == 'T' && (lParam & kCtrlAlt) == kCtrlAlt)
            PutTextOnClipboard(window);
        return 1;
    }
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    instance, nullptr);
    installhook(window, KeyDownMessage());
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    UnHook();
    return 0;
}
