#pragma once
#include "framework/DataExchange.h"
#include "framework/WindowText.h"
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

class DialogPart;

// Base of the program's dialogs, built from a resource template. The dialog
// procedure finds the object through DWLP_USER and routes each message once: a
// control's colour request to the control's own object, then to OnMessage, then to
// the parts the dialog is built from (DialogPart), in the order they were made. The
// base alone decides which results go back directly and which through
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

    // The controls, for the dialog and its parts alike.
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }
    void Enable(int id, bool enable) const { ::EnableWindow(Item(id), enable); }
    bool IsChecked(int id) const { return ::IsDlgButtonChecked(m_hwnd, id) == BST_CHECKED; }
    // Checks `id` and unchecks the other buttons from `first` to `last`.
    void CheckRadio(int first, int last, int id) const { ::CheckRadioButton(m_hwnd, first, last, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const { SetWindowTextUtf8(Item(id), text); }

    // Moves data between the controls and the members, the dialog's own and then its
    // parts'; false when a field was refused (the message has been shown and the focus
    // put on the field).
    bool UpdateData(bool saveAndValidate);
    void End(INT_PTR result);

    // Called once by each part as it is made; the part lives as long as the dialog.
    void AddPart(DialogPart& part) { m_parts.push_back(&part); }

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    virtual void OnOK();
    virtual void OnCancel();
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

    // Modeless dialogs end with their owner: it calls this while it is still whole.
    void DestroyModeless();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);
    static std::optional<LRESULT> ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam);
    static std::optional<LRESULT> OfferToPart(DialogPart& part, UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
    std::vector<DialogPart*> m_parts;
};
