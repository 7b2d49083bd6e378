#include "framework/SubclassedWindow.h"
#include <commctrl.h>

namespace {
// One subclass of ours per window: the object is the reference data.
constexpr UINT_PTR kSubclassId = 1;
}

SubclassedWindow::~SubclassedWindow() { Unsubclass(); }

bool SubclassedWindow::Subclass(HWND window)
{
    Unsubclass();
    if (!window || !::SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hwnd = window;
    return true;
}

void SubclassedWindow::Unsubclass()
{
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::RemoveWindowSubclass(m_hwnd, SubclassProc, kSubclassId);
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
