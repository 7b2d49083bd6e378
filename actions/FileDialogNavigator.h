#pragma once
#include "actions/FileDialogRecognizer.h"
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

// Hands a path shortcut to the file dialog in front, as if the user had typed the path
// into its file-name box and pressed Enter. Answers the recogniser's questions about
// real windows.
class FileDialogNavigator : public WindowQuery {
public:
    enum class Delivery {
        // Not a file dialog we know, not a path for it (a "mailto:" address; an address
        // for a save dialog), or it did not answer before the path was in its box: the
        // shell is to open it. Nothing has been sent to a dialog we do not know.
        NotTaken,
        Delivered,
        // A save dialog, and the path leads nowhere: nothing was sent to it.
        MissingFolder,
    };
    // Hands the prepared path to the file dialog in front.
    Delivery NavigateFileDialog(HWND foreground, const std::string& path) const;

    std::string ClassName(WindowRef window) const override;
    WindowRef Child(WindowRef parent, int id) const override;
    std::vector<WindowRef> Children(WindowRef parent) const override;
    std::string Caption(WindowRef window) const override;

private:
    // Each is true once the path is in the dialog's box. Until then a dialog that does
    // not answer has had nothing of it, and the shell opens it instead; after that,
    // whatever goes unanswered only ends the conversation.
    static bool NavigateAndEmpty(HWND frame, const FileDialogTarget& target, const std::wstring& path);
    Delivery NavigateSaveDialog(HWND frame, const FileDialogTarget& target, const std::string& path) const;
    bool MoveAndName(HWND frame, const FileDialogTarget& target, const std::wstring& folder,
                     const std::optional<std::wstring>& name) const;
    static bool NavigateOfficeDialog(const FileDialogTarget& target, const std::wstring& path);
};
