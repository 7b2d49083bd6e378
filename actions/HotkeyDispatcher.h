#pragma once
#include "actions/FileDialogNavigator.h"
#include "store/ShortcutTable.h"
#include <windows.h>
#include <memory>
#include <string>

class CCaptureWnd;

// Turns a key-down reported by the keyboard hook into the actions of the matching
// shortcuts, or into the selective screen capture. Owns the one capture window.
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

    void OnCaptureKey();
    Walk RunShortcut(const Shortcut& shortcut);
    Walk OpenPath(const std::string& payload);
    Walk LoadText(const std::string& text);
    Walk LoadPicture(const std::string& file);
    // Gives `data` to the clipboard; on failure shows why and `data` is still ours.
    bool HandToClipboard(UINT format, HANDLE data);

    HWND m_owner = nullptr;
    FileDialogNavigator m_navigator;
    std::unique_ptr<CCaptureWnd> m_pCaptureWnd;
};
