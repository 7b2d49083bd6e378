#pragma once
#include "tests/wine/support/TestSupport.h"
#include <functional>
#include <vector>

// Finding what a running program shows besides its main dialog: its popups, message
// boxes, the edit dialog and the common dialogs it opens, all top-level "#32770"s.
namespace wt {

// The program's visible top-level dialogs other than its main dialog (the one with
// the shortcut list), front first.
std::vector<HWND> VisibleDialogsOf(DWORD processId);
// The first visible top-level dialog of the process that passes the test, other than
// the main dialog.
HWND FindProcessDialog(DWORD processId, HWND mainDialog, const std::function<bool(HWND)>& matches);
// Waits for such a dialog; nullptr after the timeout.
HWND WaitForProcessDialog(DWORD processId, const std::function<bool(HWND)>& matches,
                          DWORD timeoutMs = kStartTimeoutMs);

// The confirmation popups: the dialogs that hold the popup's text.
std::vector<HWND> PopupsOf(DWORD processId);
// The one in front; nullptr when none is open.
HWND FindPopup(DWORD processId);
HWND WaitForPopup(DWORD processId, DWORD timeoutMs = 3000);
// Closes every popup, also those that open meanwhile; false if some stay.
bool CloseAllPopups(DWORD processId);
// Waits for the popup that an action brings up (it comes a moment after the
// clipboard changes) and closes it; false when none came or it stayed.
[[nodiscard]] bool CloseThePopup(DWORD processId);

}  // namespace wt
