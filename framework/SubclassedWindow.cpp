#include "framework/SubclassedWindow.h"
#include <commctrl.h>

namespace {
// One subclass of ours per window: the object is the reference data.
constexpr UINT_PTR kSubclassId = 1;
// The same object, for the parent that hands the window's messages back to it.
constexpr wchar_t kObjectProperty[] = L"Tarnwick.SubclassedWindow";
}

SubclassedWindow::~SubclassedWindow() { Unsubclass(); }

bool SubclassedWindow::Subclass(HWND window)
{
    Unsubclass();
    if (!window || !::SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    ::SetPropW(window, kObjectProperty, this);
    m_hwnd = window;
    return true;
}

SubclassedWindow* SubclassedWindow::FromHandle(HWND window)
{
    return window ? static_cast<SubclassedWindow*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

void SubclassedWindow::Unsubclass()
{
    if (m_hwnd && ::IsWindow(m_hwnd)) {
        ::RemovePropW(m_hwnd, kObjectProperty);
        ::RemoveWindowSubclass(m_hwnd, SubclassProc, kSubclassId);
    }
    m_hwnd = nullptr;
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR self)
{
    auto* object = reinterpret_cast<SubclassedWindow*>(self);
    if (message == WM_NCDESTROY) {
        object->Unsubclass();
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    if (auto result = object->OnMessage(message, wParam, lParam))
        return *result;
    return ::DefSubclassProc(window, message, wParam, lParam);
}
