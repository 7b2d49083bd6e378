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

std::string Text(HWND window)
{
    std::string text(static_cast<size_t>(::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    const LRESULT copied = ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void PressOk(HWND frame, const FileDialogTarget& target)
{
    ::SendMessageA(frame, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ToHwnd(target.okButton)));
}

} // namespace

bool FileDialogNavigator::NavigateFileDialog(HWND foreground, const std::string& payload) const
{
    const FileDialogTarget target = RecognizeFileDialog(*this, ToRef(foreground));
    if (target.kind == FileDialogKind::None)
        return false;
    const std::string path = PreparePath(payload);
    switch (target.kind) {
    case FileDialogKind::Common:
    case FileDialogKind::ItemOpen:
        NavigateAndEmpty(foreground, target, path);
        break;
    case FileDialogKind::ItemSave:
    case FileDialogKind::WineItem:
        NavigateAndRestore(foreground, target, path);
        break;
    case FileDialogKind::Office:
        NavigateOfficeDialog(target, path);
        break;
    case FileDialogKind::None:
        break;
    }
    return true;
}

// The box is emptied only after the dialog has acted on the path, so that it does not
// keep offering the folder as a file name.
void FileDialogNavigator::NavigateAndEmpty(HWND frame, const FileDialogTarget& target, const std::string& path)
{
    const HWND edit = ToHwnd(target.fileNameBox);
    SetText(edit, path);
    PressOk(frame, target);
    SetText(edit, "");
}

// A save dialog's box holds the name the application suggested ("report.docx"), which
// must survive the jump to another folder.
void FileDialogNavigator::NavigateAndRestore(HWND frame, const FileDialogTarget& target, const std::string& path) const
{
    const HWND box = ToHwnd(target.fileNameBox);
    const std::string earlier = Text(box);
    SetText(box, path);
    PressOk(frame, target);
    // Found anew: the dialog may have made a new box when it moved.
    const FileDialogTarget moved = RecognizeFileDialog(*this, ToRef(frame));
    if (moved.kind == target.kind)
        SetText(ToHwnd(moved.fileNameBox), earlier);
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

std::vector<WindowRef> FileDialogNavigator::Children(WindowRef parent) const
{
    std::vector<WindowRef> children;
    for (HWND child = ::FindWindowExA(ToHwnd(parent), nullptr, nullptr, nullptr); child;
         child = ::FindWindowExA(ToHwnd(parent), child, nullptr, nullptr))
        children.push_back(ToRef(child));
    return children;
}
