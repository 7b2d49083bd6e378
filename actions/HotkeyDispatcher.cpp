#include "actions/HotkeyDispatcher.h"

class CCaptureWnd {};

HotkeyDispatcher::HotkeyDispatcher() = default;
HotkeyDispatcher::~HotkeyDispatcher() = default;

LRESULT HotkeyDispatcher::OnHookKeyDown(WPARAM, const ShortcutTable&) { return 1; }

LRESULT HotkeyDispatcher::OnDestroyCaptureWnd()
{
    m_pCaptureWnd.reset();
    return 1;
}
