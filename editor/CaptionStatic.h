#pragma once
#include "framework/UniqueHandle.h"
#include <windows.h>
#include <optional>

// A caption of the main dialog drawn in Times New Roman on a transparent background.
// The dialog passes on the WM_CTLCOLORSTATIC it receives for the control.
class CCaptionStatic {
public:
    void Attach(HWND control) { m_hwnd = control; }
    HWND hwnd() const { return m_hwnd; }
    // The brush to return for WM_CTLCOLORSTATIC, or nullopt for the default handling.
    std::optional<LRESULT> OnCtlColor(HDC dc);

private:
    HWND m_hwnd = nullptr;
    Font m_font;
};
