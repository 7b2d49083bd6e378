#pragma once
#include <windows.h>
#include <optional>

// Base of the program's own window classes. The static window procedure finds the
// object through GWLP_USERDATA (stored at WM_NCCREATE, cleared at WM_NCDESTROY) and
// hands every message to OnMessage; std::nullopt means "not handled, use the
// default procedure".
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return m_hwnd; }
    void Destroy();

protected:
    // Registers (once) a class of the given name with this procedure and creates the window.
    bool CreateEx(DWORD exStyle, const wchar_t* className, HCURSOR cursor, const wchar_t* title,
                  DWORD style, int x, int y, int width, int height, HWND owner);
    virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};
