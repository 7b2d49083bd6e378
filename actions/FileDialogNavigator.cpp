#include "actions/FileDialogNavigator.h"
#include "actions/PathPreparation.h"
#include "framework/WideText.h"
#include <algorithm>
#include <optional>

namespace {

constexpr int kClassNameChars = 256;
// Every message goes to another program, which may have stopped answering. Waiting
// for it holds up this thread and every hotkey pressed meanwhile, so a dialog gets
// this long for each message, and nothing more once one has gone unanswered.
constexpr UINT kAnswerTimeoutMs = 1000;
// The longest path Windows accepts; a file name box holds no more.
constexpr size_t kLongestText = 32767;

HWND ToHwnd(WindowRef window) { return reinterpret_cast<HWND>(window); }
WindowRef ToRef(HWND window) { return reinterpret_cast<WindowRef>(window); }

bool IsFolder(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// False when the window did not answer in time, or is gone.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr)
{
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                 result ? result : &ignored) != 0;
}

// The box takes and gives its text as UTF-16 whatever its program is built for; the
// name the program suggested is kept as it was, character for character.
bool SetText(HWND window, const std::wstring& text)
{
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// One WM_GETTEXT into room for the longest text rather than asking the length first:
// Wine waits for WM_GETTEXTLENGTH as long as the window takes, timeout or not.
std::optional<std::wstring> Text(HWND window)
{
    std::wstring text(kLongestText + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied))
        return std::nullopt;
    text.resize(std::min<size_t>(copied, kLongestText));
    return text;
}

bool PressOk(HWND frame, const FileDialogTarget& target)
{
    return Send(frame, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ToHwnd(target.okButton)));
}

} // namespace

FileDialogNavigator::Delivery FileDialogNavigator::NavigateFileDialog(HWND foreground, const std::string& path) const
{
    const FileDialogTarget target = RecognizeFileDialog(*this, ToRef(foreground));
    if (target.kind == FileDialogKind::None || IsMailAddress(path))
        return Delivery::NotTaken;
    if (target.saves)
        return NavigateSaveDialog(foreground, target, path);
    const std::wstring wide = Wide(path);
    bool taken = false;
    switch (target.kind) {
    case FileDialogKind::Common:
    case FileDialogKind::ItemOpen:
        taken = NavigateAndEmpty(foreground, target, wide);
        break;
    case FileDialogKind::ItemSave:
    case FileDialogKind::WineItem:
        taken = MoveAndName(foreground, target, wide, std::nullopt);
        break;
    case FileDialogKind::Office:
        taken = NavigateOfficeDialog(target, wide);
        break;
    case FileDialogKind::None:
        break;
    }
    return taken ? Delivery::Delivered : Delivery::NotTaken;
}

// A save dialog saves under whatever its box holds when OK is pressed: only a folder
// that exists ever goes there with OK. A file's folder does, with the file's name left
// in the box for the user to save under or not, whether the file is there yet or not;
// a folder that is not there goes nowhere.
FileDialogNavigator::Delivery FileDialogNavigator::NavigateSaveDialog(HWND frame, const FileDialogTarget& target,
                                                                      const std::string& path) const
{
    // An address is no place in the file system: the shell opens it.
    if (HasScheme(path))
        return Delivery::NotTaken;
    bool taken = false;
    if (IsFolder(path)) {
        taken = MoveAndName(frame, target, Wide(path), std::nullopt);
    } else {
        const FolderAndName file = SplitFolderAndName(path);
        if (file.name.empty() || !IsFolder(file.folder))
            return Delivery::MissingFolder;
        taken = MoveAndName(frame, target, Wide(file.folder), Wide(file.name));
    }
    return taken ? Delivery::Delivered : Delivery::NotTaken;
}

// The box is emptied only after the dialog has acted on the path, so that it does not
// keep offering the folder as a file name.
bool FileDialogNavigator::NavigateAndEmpty(HWND frame, const FileDialogTarget& target, const std::wstring& path)
{
    const HWND edit = ToHwnd(target.fileNameBox);
    if (!SetText(edit, path))
        return false;
    if (PressOk(frame, target))
        SetText(edit, L"");
    return true;
}

// A save dialog's box holds the name the application suggested ("report.docx"), which
// must survive the jump to another folder; or, given one, the name to save under.
bool FileDialogNavigator::MoveAndName(HWND frame, const FileDialogTarget& target, const std::wstring& folder,
                                      const std::optional<std::wstring>& name) const
{
    const HWND box = ToHwnd(target.fileNameBox);
    const std::optional<std::wstring> shown = name ? name : Text(box);
    if (!shown || !SetText(box, folder))
        return false;
    if (!PressOk(frame, target))
        return true;
    // Found anew: the dialog may have made a new box when it moved.
    const FileDialogTarget moved = RecognizeFileDialog(*this, ToRef(frame));
    if (moved.kind == target.kind)
        SetText(ToHwnd(moved.fileNameBox), *shown);
    return true;
}

// The Office dialogs have no OK button to click by message; their box acts on Enter.
bool FileDialogNavigator::NavigateOfficeDialog(const FileDialogTarget& target, const std::wstring& path)
{
    const HWND box = ToHwnd(target.fileNameBox);
    if (!SetText(box, path))
        return false;
    if (Send(box, WM_KEYDOWN, VK_RETURN, 0))
        Send(box, WM_KEYUP, VK_RETURN, 0);
    return true;
}

std::string FileDialogNavigator::ClassName(WindowRef window) const
{
    wchar_t name[kClassNameChars] = {};
    const int length = ::GetClassNameW(ToHwnd(window), name, kClassNameChars);
    return Utf8(std::wstring_view(name, length > 0 ? static_cast<size_t>(length) : 0));
}

WindowRef FileDialogNavigator::Child(WindowRef parent, int id) const
{
    return ToRef(::GetDlgItem(ToHwnd(parent), id));
}

// GetWindowText answers for another program's window from what the system keeps, without
// a message to it: a dialog that stopped answering holds up nothing here.
std::string FileDialogNavigator::Caption(WindowRef window) const
{
    wchar_t caption[kClassNameChars] = {};
    const int length = ::GetWindowTextW(ToHwnd(window), caption, kClassNameChars);
    return Utf8(std::wstring_view(caption, length > 0 ? static_cast<size_t>(length) : 0));
}

std::vector<WindowRef> FileDialogNavigator::Children(WindowRef parent) const
{
    std::vector<WindowRef> children;
    for (HWND child = ::FindWindowExW(ToHwnd(parent), nullptr, nullptr, nullptr); child;
         child = ::FindWindowExW(ToHwnd(parent), child, nullptr, nullptr))
        children.push_back(ToRef(child));
    return children;
}
