#pragma once
#include "editor/HintLabel.h"
#include "framework/SubclassedWindow.h"
#include <windows.h>
#include <string>

// The path box: an edit control that can show a green italic hint right after its
// text. Any key or click in the box hides the hint; the dialogs show it on request.
class CHintEdit : public SubclassedWindow {
public:
    CHintEdit() = default;
    ~CHintEdit() override;

    // Takes over the dialog's edit control (subclassing it).
    void Attach(HWND edit);

    // Places the hint after the box's current text; typing later does not move it.
    void SetHintText(const std::string& hint);
    void ShowHint(bool show);
    bool IsHintVisible() const;

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool EnsureHintLabel();
    // On a monitor of another scale the label is made anew, with its font and its place.
    void OnDpiChanged();

    CHintLabel m_wndHint;
};
