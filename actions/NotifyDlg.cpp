#include "actions/NotifyDlg.h"
#include "res/resource.h"

namespace {
constexpr UINT kDisplayTimeMs = 1500;
constexpr UINT_PTR kDismissTimer = 1;
}

CNotifyDlg::CNotifyDlg() : Dialog(IDD_NOTIFY), m_nDuration(kDisplayTimeMs) {}

CNotifyDlg::~CNotifyDlg() { DestroyModeless(); }

void CNotifyDlg::Show(const std::string& text)
{
    if (!hwnd() && !CreateModeless(nullptr))
        return;
    m_strText = text;
    UpdateData(false);
    PlaceOnMonitorInFront();
    // Setting the timer again replaces the running one, which starts the time anew.
    ::SetTimer(hwnd(), kDismissTimer, m_nDuration, nullptr);
}

bool CNotifyDlg::IsShown() const { return hwnd() && ::IsWindowVisible(hwnd()); }

void CNotifyDlg::DoDataExchange(DataExchange& dx) { dx.Text(IDC_NOTIFY_TEXT, m_strText); }

// Centred in the work area of the monitor the user looks at: the one of the window in
// front, whichever monitor the program's own windows are on.
void CNotifyDlg::PlaceOnMonitorInFront()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(::GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT box{};
    ::GetWindowRect(hwnd(), &box);
    const RECT& area = monitor.rcWork;
    const int x = area.left + ((area.right - area.left) - (box.right - box.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (box.bottom - box.top)) / 2;
    ::SetWindowPos(hwnd(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

std::optional<LRESULT> CNotifyDlg::OnMessage(UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_TIMER:
    case WM_LBUTTONDOWN:
        DismissNotification();
        return 0;
    case WM_MOUSEACTIVATE:
        // A click dismisses the box; it must not take the keyboard on the way.
        return MA_NOACTIVATE;
    }
    return std::nullopt;
}

// Enter, Escape and the close command end the box as the click does.
void CNotifyDlg::OnOK() { DismissNotification(); }
void CNotifyDlg::OnCancel() { DismissNotification(); }

void CNotifyDlg::DismissNotification()
{
    ::KillTimer(hwnd(), kDismissTimer);
    End(IDOK);
}
