#include "framework/Foreground.h"

namespace {

bool IsOurs(HWND window)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId();
}

bool CanTakeKeyboard(HWND window)
{
    return window && ::IsWindow(window) && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
           !(::GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
}

// The first window in z-order that a user could be working in.
HWND TopmostWindowOfOthers()
{
    for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (!IsOurs(window) && CanTakeKeyboard(window) && window != ::GetShellWindow())
            return window;
    }
    return nullptr;
}

}  // namespace

HWND ForegroundOfOtherProgram()
{
    HWND front = ::GetForegroundWindow();
    return front && !IsOurs(front) ? front : nullptr;
}

void GiveForegroundBack(HWND previous)
{
    HWND target = previous && ::IsWindow(previous) && ::IsWindowVisible(previous) ? previous : TopmostWindowOfOthers();
    if (target)
        ::SetForegroundWindow(target);
}
