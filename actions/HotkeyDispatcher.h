#pragma once
#include "store/ShortcutTable.h"
#include <windows.h>
#include <memory>

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
    LRESULT OnHookKeyDown(WPARAM key, const ShortcutTable& table);
    LRESULT OnDestroyCaptureWnd();

private:
    HWND m_owner = nullptr;
    std::unique_ptr<CCaptureWnd> m_pCaptureWnd;
};
