#include "framework/Window.h"

// By now the derived part is gone: a window still alive must not hand its last
// messages to it, so it is let go of before it is destroyed.
Window::~Window()
{
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    Destroy();
}

void Window::Destroy()
{
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

bool Window::CreateEx(DWORD exStyle, const char* className, HCURSOR cursor, const char* title,
                      DWORD style, int x, int y, int width, int height, HWND owner)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExA(instance, className, &wc)) {
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.lpszClassName = className;
        if (!::RegisterClassExA(&wc))
            return false;
    }
    return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, owner, nullptr,
                             instance, this) != nullptr;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        self = nullptr;
    }
    if (self) {
        if (auto result = self->OnMessage(message, wParam, lParam))
            return *result;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
