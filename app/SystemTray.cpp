#include "app/SystemTray.h"
#include "framework/WideText.h"
#include <cwchar>

namespace {
// The first layout of the structure: understood by every shell that has a tray.
constexpr DWORD kNotifyIconDataV1Size = NOTIFYICONDATAW_V1_SIZE;
}

bool CSystemTray::CreateTrayIcon(HWND receiver, UINT callbackMessage, const std::string& tip, HICON icon, UINT id)
{
    m_nid = NOTIFYICONDATAW{};
    m_nid.cbSize = kNotifyIconDataV1Size;
    m_nid.hWnd = receiver;
    m_nid.uID = id;
    m_nid.hIcon = icon;
    m_nid.uCallbackMessage = callbackMessage;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    std::wcsncpy(m_nid.szTip, Wide(tip).c_str(), std::size(m_nid.szTip) - 1);
    return RestoreTrayIcon();
}

bool CSystemTray::RestoreTrayIcon()
{
    if (m_nid.cbSize == 0)
        return false;
    m_bEnabled = ::Shell_NotifyIconW(NIM_ADD, &m_nid) != FALSE;
    return m_bEnabled;
}

void CSystemTray::RemoveTrayIcon()
{
    if (!m_bEnabled)
        return;
    NOTIFYICONDATAW nid = m_nid;
    nid.uFlags = 0;
    ::Shell_NotifyIconW(NIM_DELETE, &nid);
    m_bEnabled = false;
}
