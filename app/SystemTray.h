#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>

// The program's icon in the notification area. Mouse events on it arrive at the
// receiver window as the callback message; the icon is removed on destruction.
class CSystemTray {
public:
    CSystemTray() = default;
    CSystemTray(const CSystemTray&) = delete;
    CSystemTray& operator=(const CSystemTray&) = delete;
    ~CSystemTray() { RemoveTrayIcon(); }

    bool CreateTrayIcon(HWND receiver, UINT callbackMessage, const std::string& tip, HICON icon, UINT id);
    // After the shell restarts its notification area is empty: add the icon again.
    bool RestoreTrayIcon();
    void RemoveTrayIcon();
    bool IsShown() const { return m_bEnabled; }

private:
    NOTIFYICONDATAW m_nid{};
    bool m_bEnabled = false;
};
