#pragma once
#include "actions/HotkeyDispatcher.h"
#include "app/KeyboardHook.h"
#include "app/SettingsFile.h"
#include "app/SystemTray.h"
#include "editor/CaptionStatic.h"
#include "editor/EntryForm.h"
#include "editor/ShortcutList.h"
#include "editor/ShortcutModel.h"
#include "framework/Dialog.h"
#include "framework/FolderWatch.h"
#include "framework/UniqueHandle.h"
#include "store/ShortcutTable.h"
#include <string>

// The main window: a dialog that lives for the whole run, mostly hidden in the tray.
// It owns the live shortcut table (what the hotkeys run) with the settings file it
// comes from, the working copy in the model (what the user edits) with the list and
// the entry form that show it, the tray icon and the keyboard hook. The list and the
// form are parts of the dialog that handle their own controls.
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

    // The live table read again from the settings file, and the hook for it.
    void ReloadShortcuts();
    void InstallHook();
    void FollowSettingsFile();
    bool ReadUnreadableSettingsFirst();
    // False when the settings file could not be written, or the old one could not be
    // kept where it must be: the dialog must then stay up, however the user closed it.
    // A No at the warning is no failure.
    bool SaveSettings();
    void HideToTray();
    void RememberWindowInFront();

    // While the edit dialog is open, the editor's commands wait for it to close.
    bool IsEditorCommandWhileEditing(UINT message, WPARAM wParam) const;

    KeyboardHook m_hook;
    ShortcutModel m_model;
    ShortcutList m_list{*this, m_model};
    EntryForm m_form{*this, m_model};
    CCaptionStatic m_stScreenCapture;
    CCaptionStatic m_stCaptureKeys;
    CCaptionStatic m_stHotkeyNote;
    HotkeyDispatcher m_dispatcher;
    Icon m_iconLarge;
    Icon m_iconSmall;
    CSystemTray m_trayIcon;
    SettingsFile m_settings;
    FolderWatch m_settingsWatch;
    std::string m_settingsProblem;
    int m_unreadableReads = 0;
    ShortcutTable m_shortcuts;
    // Where the keyboard goes back when the dialog is put away again.
    HWND m_hwndBeforeOpen = nullptr;
    // While false, every paint of the window hides it again.
    bool m_bShown = false;
    UINT m_nTaskbarCreatedMsg;
};
