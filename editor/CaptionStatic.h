#pragma once
#include "framework/UniqueHandle.h"
#include <windows.h>
#include <optional>

// A caption of the main dialog drawn in Times New Roman on a transparent background.
// The dialog passes on the WM_CTLCOLORSTATIC it receives for the control.
class CCaptionStatic {
public:
    // Gives a text caption its font; icons, frames and the other kinds of static keep
    // the dialog's.
    void Attach(HWND control);
    HWND hwnd() const { return m_hwnd; }
    // The brush to return for WM_CTLCOLORSTATIC, or nullopt for the default handling.
    std::optional<LRESULT> OnCtlColor(HDC dc);

private:
    bool IsTextCaption() const;

    HWND m_hwnd = nullptr;
    // Lives as long as the caption, which paints with it.
    Font m_font;
};
