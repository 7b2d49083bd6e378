#pragma once
#include "framework/Dialog.h"
#include <string>

// The small box that confirms an action: one line of text, gone after a moment or at
// once on a click. Runs modally; its loop keeps serving the program's other windows,
// so a later hotkey still runs while it is up.
class CNotifyDlg : public Dialog {
public:
    CNotifyDlg();

    std::string m_strText;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnShowWindow(bool shown);
    void DismissNotification();

    UINT m_nDuration;
};

// Shows `text` in the popup and returns when it has closed (after a moment, or at once
// on a click, Escape or its close command). The owner, if any, is disabled meanwhile.
void ShowNotification(const std::string& text, HWND owner = nullptr);
