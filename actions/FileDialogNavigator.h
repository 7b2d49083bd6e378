#pragma once
#include "actions/FileDialogRecognizer.h"
#include <windows.h>
#include <string>
#include <vector>

// Hands a path shortcut to the file dialog in front, as if the user had typed the path
// into its file-name box and pressed Enter. Answers the recogniser's questions about
// real windows.
class FileDialogNavigator : public WindowQuery {
public:
    // True when `foreground` is a file dialog we know and the path went into it; false
    // when it is not, and then nothing has been sent to it, or when it did not answer
    // before the path was in its box.
    bool NavigateFileDialog(HWND foreground, const std::string& payload) const;

    std::string ClassName(WindowRef window) const override;
    WindowRef Child(WindowRef parent, int id) const override;
    std::vector<WindowRef> Children(WindowRef parent) const override;

private:
    // Each is true once the path is in the dialog's box. Until then a dialog that does
    // not answer has had nothing of it, and the shell opens it instead; after that,
    // whatever goes unanswered only ends the conversation.
    static bool NavigateAndEmpty(HWND frame, const FileDialogTarget& target, const std::wstring& path);
    bool NavigateAndRestore(HWND frame, const FileDialogTarget& target, const std::wstring& path) const;
    static bool NavigateOfficeDialog(const FileDialogTarget& target, const std::wstring& path);
};
