#include "framework/Window.h"

// By now the derived part is gone: a window still alive must not hand its last
// messages to it, so it is let go of before it is destroyed.
Window::~Window()
{
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    Destroy();
}

void Window::Destroy()
{
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

bool Window::CreateEx(DWORD exStyle, const wchar_t* className, HCURSOR cursor, const wchar_t* title,
                      DWORD style, int x, int y, int width, int height, HWND owner)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(instance, className, &wc)) {
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.lpszClassName = className;
        if (!::RegisterClassExW(&wc))
            return false;
    }
    return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, owner, nullptr,
                             instance, this) != nullptr;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        self = nullptr;
    }
    if (self) {
        if (auto result = self->OnMessage(message, wParam, lParam))
            return *result;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
