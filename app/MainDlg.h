#pragma once
#include "app/KeyboardHook.h"
#include "actions/HotkeyDispatcher.h"
#include "app/SystemTray.h"
#include "editor/CaptionStatic.h"
#include "editor/EntryForm.h"
#include "editor/ShortcutList.h"
#include "framework/Dialog.h"
#include "store/ShortcutTable.h"
#include <string>

// The main window: a dialog that lives for the whole run, mostly hidden in the tray.
// It owns the live shortcut table (what the hotkeys run), the working copy in the
// list (what the user edits), the entry form, the tray icon and the keyboard hook.
// The list and the form are parts of the dialog that handle their own controls.
class CMainDlg : public Dialog {
public:
    CMainDlg();
    ~CMainDlg() override;
    bool Create();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::optional<LRESULT> OnCommand(WORD id);
    std::optional<LRESULT> OnPaint();
    bool OnSysCommand(WPARAM command);
    LRESULT OnTrayNotify(LPARAM mouseMessage);
    void OnTrayOpen();
    void OnTrayExit();
    void OnTaskbarCreated();
    LRESULT OnSessionChange(WPARAM event);
    std::optional<LRESULT> OnPowerBroadcast(WPARAM event);

    bool LoadShortcuts();
    // False when the settings file could not be written, or the old one could not be
    // kept where it must be: the dialog must then stay up, however the user closed it.
    // A No at the warning is no failure.
    bool SaveSettings();
    void HideToTray();

    KeyboardHook m_hook;
    ShortcutList m_list{*this, m_form};
    EntryForm m_form{*this, m_list};
    CCaptionStatic m_stScreenCapture;
    CCaptionStatic m_stCaptureKeys;
    CCaptionStatic m_stHotkeyNote;
    HotkeyDispatcher m_dispatcher;
    HICON m_hIcon;
    CSystemTray m_trayIcon;
    std::string m_strIniPath;
    ShortcutTable m_shortcuts;
    // What the last load of the settings file found there that a save would not
    // write back: before such a save the old file is kept beside it.
    SettingsLosses m_settingsLosses;
    // While false, every paint of the window hides it again.
    bool m_bShown = false;
    UINT m_nTaskbarCreatedMsg;
};
