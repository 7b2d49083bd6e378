#pragma once
#include <windows.h>
#include <string>

// The path box: an edit control that can show a green italic hint right after its
// text. Any key or click in the box hides the hint; the dialogs show it on request.
class CHintEdit {
public:
    CHintEdit() = default;
    CHintEdit(const CHintEdit&) = delete;
    CHintEdit& operator=(const CHintEdit&) = delete;
    ~CHintEdit();

    // Takes over the dialog's edit control (subclassing it).
    void Attach(HWND edit);
    HWND hwnd() const { return m_hwnd; }

    void SetHintText(const std::string& hint);
    void ShowHint(bool show);
    bool IsHintVisible() const;

private:
    HWND m_hwnd = nullptr;
    HWND m_wndHint = nullptr;
};
