#pragma once
#include <windows.h>
#include <atomic>
#include <optional>
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
// What a save dialog the test shows gave back: nothing while it is open or when it was
// cancelled, else the file it chose.
struct SaveDialogResult {
    std::atomic<bool> ended{false};
    std::optional<std::string> chosen;
};
// Shows the save dialog (GetSaveFileNameW, Explorer style) in the folder, suggesting the
// name as a program does, until it is closed; for a WindowThread.
void RunSaveDialog(const std::string& folder, const std::string& suggestedName, SaveDialogResult& result);
// The file-name box; nullptr when the dialog has none.
HWND FileNameBox(HWND dialog);
// Types the name into the file-name box and presses OK; false without the box.
[[nodiscard]] bool FillFileDialog(HWND dialog, const std::string& name);
// The folder the dialog shows; for a dialog that RunOpenDialog shows in this process,
// which can write the answer into our memory.
std::string FileDialogFolder(HWND dialog);

}  // namespace wt
