#include "framework/Dpi.h"

UINT WindowDpi(HWND window)
{
    // Windows 10 knows each window's DPI; before it every window has the system's.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}
