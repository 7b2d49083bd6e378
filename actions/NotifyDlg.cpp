#include "actions/NotifyDlg.h"
#include "res/resource.h"

namespace {
constexpr UINT kDisplayTimeMs = 1500;
constexpr UINT_PTR kDismissTimer = 0;
}

CNotifyDlg::CNotifyDlg() : Dialog(IDD_NOTIFY), m_nDuration(kDisplayTimeMs) {}

bool CNotifyDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    ::BringWindowToTop(hwnd());
    ::SetTimer(hwnd(), kDismissTimer, m_nDuration, nullptr);
    return true;
}

void CNotifyDlg::DoDataExchange(DataExchange& dx) { dx.Text(IDC_NOTIFY_TEXT, m_strText); }

std::optional<LRESULT> CNotifyDlg::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_TIMER:
    case WM_LBUTTONDOWN:
        DismissNotification();
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != FALSE);
        break;
    }
    return std::nullopt;
}

// Another program may have come to the front between creation and showing.
void CNotifyDlg::OnShowWindow(bool shown)
{
    if (shown)
        ::BringWindowToTop(hwnd());
}

// The timer would tick again while a nested popup keeps this one's loop from ending.
void CNotifyDlg::DismissNotification()
{
    ::KillTimer(hwnd(), kDismissTimer);
    OnOK();
}

void ShowNotification(const std::string& text, HWND owner)
{
    CNotifyDlg popup;
    popup.m_strText = text;
    popup.RunModal(owner);
}
