#include "actions/NotifyDlg.h"
#include "res/resource.h"

namespace {
constexpr UINT kDisplayTimeMs = 1500;
constexpr UINT_PTR kDismissTimer = 0;
// Marks the window of a box, so that a later confirmation finds it.
constexpr char kBoxProperty[] = "TarnwickNotification";

BOOL CALLBACK FindShownBox(HWND window, LPARAM found)
{
    auto* box = static_cast<CNotifyDlg*>(::GetPropA(window, kBoxProperty));
    // A box that is closing has hidden itself already.
    if (!box || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<CNotifyDlg**>(found) = box;
    return FALSE;
}
}

CNotifyDlg::CNotifyDlg() : Dialog(IDD_NOTIFY), m_nDuration(kDisplayTimeMs) {}

CNotifyDlg* CNotifyDlg::Shown()
{
    CNotifyDlg* found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CNotifyDlg::Replace(const std::string& text)
{
    m_strText = text;
    UpdateData(false);
    StartDisplayTime();
}

bool CNotifyDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    ::SetPropA(hwnd(), kBoxProperty, this);
    ::BringWindowToTop(hwnd());
    StartDisplayTime();
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
    case WM_DESTROY:
        ::RemovePropA(hwnd(), kBoxProperty);
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

// Setting the timer again replaces the running one, which starts the time anew.
void CNotifyDlg::StartDisplayTime() { ::SetTimer(hwnd(), kDismissTimer, m_nDuration, nullptr); }

// The timer would tick again while a message box opened meanwhile keeps this box's
// loop from ending.
void CNotifyDlg::DismissNotification()
{
    ::KillTimer(hwnd(), kDismissTimer);
    OnOK();
}

void ShowNotification(const std::string& text, HWND owner)
{
    // One box at a time: a box for each of a flood of presses, each a modal loop
    // inside the one before, would pile up, and none could end before those above it.
    if (CNotifyDlg* shown = CNotifyDlg::Shown()) {
        shown->Replace(text);
        return;
    }
    CNotifyDlg popup;
    popup.m_strText = text;
    popup.RunModal(owner);
}
