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
    // when it is not, and then nothing has been sent to it.
    bool NavigateFileDialog(HWND foreground, const std::string& payload) const;

    std::string ClassName(WindowRef window) const override;
    WindowRef Child(WindowRef parent, int id) const override;
    std::vector<WindowRef> Children(WindowRef parent) const override;

private:
    static void NavigateAndEmpty(HWND frame, const FileDialogTarget& target, const std::string& path);
    void NavigateAndRestore(HWND frame, const FileDialogTarget& target, const std::string& path) const;
    static void NavigateOfficeDialog(const FileDialogTarget& target, const std::string& path);
};
