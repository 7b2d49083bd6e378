#pragma once
#include "framework/Dialog.h"
#include <string>

// The small box that confirms an action: one line of text, above every window and on
// the monitor of the window in front, gone after a moment or at once on a click or
// its close command. It never takes the keyboard: what the user types while it shows
// goes on reaching the program they type into. It runs no loop of its own, so a
// hotkey pressed meanwhile runs as any other, and its confirmation takes this box
// over (text and display time) instead of opening another. The window is made on the
// first confirmation and kept, hidden, between them.
class CNotifyDlg : public Dialog {
public:
    CNotifyDlg();
    ~CNotifyDlg() override;

    void Show(const std::string& text);
    bool IsShown() const;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceOnMonitorInFront();
    void DismissNotification();

    std::string m_strText;
    UINT m_nDuration;
};
