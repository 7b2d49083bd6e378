#pragma once
#include "framework/Dialog.h"
#include <string>

// The small box that confirms an action: one line of text, gone after a moment or at
// once on a click, Escape or its close command. Runs modally; its loop keeps serving
// the program's other windows, so a later hotkey still runs while it is up, and that
// hotkey's confirmation takes this box over instead of opening another one above it.
class CNotifyDlg : public Dialog {
public:
    CNotifyDlg();

    std::string m_strText;

    // The box this thread shows, if any.
    static CNotifyDlg* Shown();
    // Shows `text` in place of the line shown, for the whole display time again.
    void Replace(const std::string& text);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnShowWindow(bool shown);
    void StartDisplayTime();
    void DismissNotification();

    UINT m_nDuration;
};

// Shows `text` in the popup and returns when it has closed (after a moment, or at once
// on a click, Escape or its close command); the owner, if any, is disabled meanwhile.
// While this thread shows a popup already, that one takes the text and the call
// returns at once.
void ShowNotification(const std::string& text, HWND owner = nullptr);
