#pragma once
#include "framework/SubclassedWindow.h"
#include "framework/UniqueHandle.h"
#include <windows.h>
#include <optional>

// A caption of the main dialog drawn in Times New Roman on a transparent background.
// The dialog hands the caption's colour request back to it (WM_CTLCOLORSTATIC).
class CCaptionStatic : public SubclassedWindow {
public:
    // Gives a text caption its font; icons, frames and the other kinds of static keep
    // the dialog's.
    void Attach(HWND control);
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The font for the caption's monitor, made anew when the dialog moves to another scale.
    void ApplyFont();
    // The brush to return for WM_CTLCOLORSTATIC, or nullopt for the default handling.
    std::optional<LRESULT> OnCtlColor(HDC dc);
    bool IsTextCaption() const;

    // Lives as long as the caption, which paints with it.
    Font m_font;
};
