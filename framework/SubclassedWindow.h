#pragma once
#include <windows.h>
#include <optional>

// An existing window (a dialog's control, or one of a system class that we created)
// with behaviour of its own: its messages pass through OnMessage first, and what that
// leaves (std::nullopt) goes on to the window's own procedure. The subclass goes when
// the window is destroyed or the object is, whichever comes first.
class SubclassedWindow {
public:
    SubclassedWindow() = default;
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;
    virtual ~SubclassedWindow();

    bool Subclass(HWND window);
    HWND hwnd() const { return m_hwnd; }

    // The object that subclassed `window`, or nullptr.
    static SubclassedWindow* FromHandle(HWND window);
    // A message the parent received about this window (its colour request), handed
    // back to it; std::nullopt lets the parent go on as if it had never been asked.
    virtual std::optional<LRESULT> OnReflectedMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

protected:
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    void Unsubclass();

    HWND m_hwnd = nullptr;
};
