#pragma once
#include <windows.h>
#include <string>

// Wine's Explorer-style open and save dialogs (GetOpenFileName, GetSaveFileName), the
// real ones, filled in as a user would.
namespace wt {

// Their controls: the file list's view and the file-name box, an edit inside a
// combo inside a "ComboBoxEx32", all three with the same id.
constexpr int kFileListView = 1121;
constexpr int kFileNameCombo = 1148;

bool IsFileDialog(HWND dialog);
// Shows the open dialog (GetOpenFileNameW, Explorer style) in the folder until it is
// closed; for a WindowThread, on which it stands for another program's dialog.
void RunOpenDialog(const std::string& folder);
// The file-name box; nullptr when the dialog has none.
HWND FileNameBox(HWND dialog);
// Types the name into the file-name box and presses OK; false without the box.
[[nodiscard]] bool FillFileDialog(HWND dialog, const std::string& name);
// The folder the dialog shows; for a dialog that RunOpenDialog shows in this process,
// which can write the answer into our memory.
std::string FileDialogFolder(HWND dialog);

}  // namespace wt
