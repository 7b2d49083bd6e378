#include "actions/FileDialogNavigator.h"
#include "actions/PathPreparation.h"

namespace {

constexpr int kClassNameChars = 256;

HWND ToHwnd(WindowRef window) { return reinterpret_cast<HWND>(window); }
WindowRef ToRef(HWND window) { return reinterpret_cast<WindowRef>(window); }

void SetText(HWND window, const std::string& text)
{
    ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

bool FileDialogNavigator::NavigateFileDialog(HWND foreground, const std::string& payload) const
{
    const FileDialogTarget target = RecognizeFileDialog(*this, ToRef(foreground));
    switch (target.kind) {
    case FileDialogKind::Common:
        NavigateCommonDialog(foreground, target, PreparePath(payload));
        return true;
    case FileDialogKind::Office:
        NavigateOfficeDialog(target, PreparePath(payload));
        return true;
    case FileDialogKind::None:
        break;
    }
    return false;
}

// Sent, not posted: the box is emptied only after the dialog has acted on the path,
// so that it does not keep offering the folder as a file name.
void FileDialogNavigator::NavigateCommonDialog(HWND frame, const FileDialogTarget& target, const std::string& path)
{
    const HWND edit = ToHwnd(target.fileNameBox);
    SetText(edit, path);
    ::SendMessageA(frame, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ToHwnd(target.okButton)));
    SetText(edit, "");
}

// The Office dialogs have no OK button to click by message; their box acts on Enter.
void FileDialogNavigator::NavigateOfficeDialog(const FileDialogTarget& target, const std::string& path)
{
    const HWND box = ToHwnd(target.fileNameBox);
    SetText(box, path);
    ::SendMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    ::SendMessageA(box, WM_KEYUP, VK_RETURN, 0);
}

std::string FileDialogNavigator::ClassName(WindowRef window) const
{
    char name[kClassNameChars] = {};
    const int length = ::GetClassNameA(ToHwnd(window), name, kClassNameChars);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

WindowRef FileDialogNavigator::Child(WindowRef parent, int id) const
{
    return ToRef(::GetDlgItem(ToHwnd(parent), id));
}
