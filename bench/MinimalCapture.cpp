// The yardstick for the capture benchmark: the least a program can do to freeze the
// screen on a hotkey through the same hook library (MinimalHotkeyHost). It copies the
// virtual screen into a bitmap compatible with the screen (GetDC(NULL),
// CreateCompatibleBitmap, BitBlt), then creates a topmost popup over it and shows it.
// It never paints.
// It answers CTRL+ALT+Scroll Lock rather than Print Screen, so that it can run beside
// Tarnwick and the benchmark can alternate presses between the two; which key it is
// makes no difference to the work. WM_CLOSE to the popup ends one capture.
#include "bench/MinimalHotkeyHost.h"
#include <windows.h>

namespace {

constexpr char kHostClass[] = "TarnwickMinimalCaptureHost";
constexpr char kPopupClass[] = "TarnwickMinimalCapture";

struct Snapshot {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    if (message == WM_DESTROY) {
        auto* snapshot = reinterpret_cast<Snapshot*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        ::SelectObject(snapshot->dc, snapshot->previous);
        ::DeleteDC(snapshot->dc);
        ::DeleteObject(snapshot->bitmap);
        delete snapshot;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void Capture(HWND)
{
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    auto* snapshot = new Snapshot;
    HDC screen = ::GetDC(nullptr);
    snapshot->dc = ::CreateCompatibleDC(screen);
    snapshot->bitmap = ::CreateCompatibleBitmap(screen, width, height);
    snapshot->previous = ::SelectObject(snapshot->dc, snapshot->bitmap);
    ::BitBlt(snapshot->dc, 0, 0, width, height, screen, x, y, SRCCOPY);
    ::ReleaseDC(nullptr, screen);

    HWND popup = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, x, y, width, height,
                                   nullptr, nullptr, ::GetModuleHandleA(nullptr), snapshot);
    ::ShowWindow(popup, SW_SHOWNORMAL);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA popup{};
    popup.lpfnWndProc = PopupProc;
    popup.hInstance = instance;
    popup.hCursor = ::LoadCursor(nullptr, IDC_CROSS);
    popup.lpszClassName = kPopupClass;
    ::RegisterClassA(&popup);

    return RunMinimalHotkeyHost(instance, kHostClass, VK_SCROLL, Capture);
}
