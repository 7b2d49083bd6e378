#pragma once
#include "actions/FileDialogNavigator.h"
#include "actions/NotifyDlg.h"
#include "store/ShortcutTable.h"
#include <windows.h>
#include <memory>
#include <string>

class CCaptureWnd;

// Turns a key-down reported by the keyboard hook into the actions of the matching
// shortcuts, or into the selective screen capture. Owns the one capture window and the
// one confirmation popup. Each action takes the window in front when the key went
// down: the keyboard goes back to it after anything the action shows.
class HotkeyDispatcher {
public:
    HotkeyDispatcher();
    ~HotkeyDispatcher();
    HotkeyDispatcher(const HotkeyDispatcher&) = delete;
    HotkeyDispatcher& operator=(const HotkeyDispatcher&) = delete;

    // The main dialog: owner of the clipboard and of the capture window.
    void Attach(HWND owner) { m_owner = owner; }
    LRESULT OnHookKeyDown(WPARAM key, LPARAM modifiers, const ShortcutTable& table);
    LRESULT OnDestroyCaptureWnd();

private:
    // What a shortcut's action means for the rest of the walk over the table.
    enum class Walk { GoOn, End };

    void OnCaptureKey(HWND inFront);
    Walk RunShortcut(const Shortcut& shortcut, HWND inFront);
    Walk OpenPath(const std::string& payload, HWND inFront);
    Walk LoadText(const std::string& text, HWND inFront);
    Walk LoadPicture(const std::string& file, HWND inFront);
    // Gives `data` to the clipboard; on failure shows why and `data` is still ours.
    bool HandToClipboard(UINT format, HANDLE data, HWND inFront);
    void Tell(const std::string& text, HWND inFront);

    HWND m_owner = nullptr;
    FileDialogNavigator m_navigator;
    CNotifyDlg m_popup;
    std::unique_ptr<CCaptureWnd> m_pCaptureWnd;
};
