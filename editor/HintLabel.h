#pragma once
#include "framework/SubclassedWindow.h"
#include <windows.h>

// The hint text inside the path box: a child "STATIC" window of the box that paints
// only its letters, so the box shows through around them. It lets clicks through to
// the box (a static without SS_NOTIFY is transparent to the mouse). The object owns
// its window.
class CHintLabel : public SubclassedWindow {
public:
    CHintLabel() = default;
    ~CHintLabel() override;

    // Creates the label over `area` of the box, drawn in `font` and `colour`.
    bool Create(HWND box, const RECT& area, const LOGFONTW& font, COLORREF colour);
    bool Exists() const { return hwnd() && ::IsWindow(hwnd()); }
    void Destroy();

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();

    COLORREF m_crText = RGB(255, 255, 255);
    LOGFONTW m_lf{};
};
