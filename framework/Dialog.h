#pragma once
#include "framework/DataExchange.h"
#include <windows.h>
#include <optional>

// Base of the program's dialogs, built from a resource template. The dialog
// procedure finds the object through DWLP_USER and hands messages to OnMessage;
// the base alone decides which results go back directly and which through
// DWLP_MSGRESULT, so handlers simply return their value.
class Dialog {
public:
    explicit Dialog(int templateId) : m_templateId(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    INT_PTR RunModal(HWND owner);
    bool CreateModeless(HWND owner);
    HWND hwnd() const { return m_hwnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }

    // Moves data between the controls and the members; false when a field was refused
    // (the message has been shown and the focus put on the field).
    bool UpdateData(bool saveAndValidate);
    void End(INT_PTR result);

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    virtual void OnOK();
    virtual void OnCancel();
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

    // Modeless dialogs end with their owner: it calls this while it is still whole.
    void DestroyModeless();
    void EnableItem(int id, bool enable) const { ::EnableWindow(Item(id), enable); }
    bool IsChecked(int id) const { return ::IsDlgButtonChecked(m_hwnd, id) == BST_CHECKED; }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const { ::SetDlgItemTextA(m_hwnd, id, text.c_str()); }
    int CheckedRadio(int first, int last) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
};
