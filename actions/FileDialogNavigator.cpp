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

bool FileDialogNavigator::NavigateFileDialog(HWND foreground, const std::string& payload) const
{
    const FileDialogTarget target = RecognizeFileDialog(*this, ToRef(foreground));
    const std::wstring path = Wide(PreparePath(payload));
    switch (target.kind) {
    case FileDialogKind::Common:
    case FileDialogKind::ItemOpen:
        return NavigateAndEmpty(foreground, target, path);
    case FileDialogKind::ItemSave:
    case FileDialogKind::WineItem:
        return NavigateAndRestore(foreground, target, path);
    case FileDialogKind::Office:
        return NavigateOfficeDialog(target, path);
    case FileDialogKind::None:
        break;
    }
    return false;
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
// must survive the jump to another folder.
bool FileDialogNavigator::NavigateAndRestore(HWND frame, const FileDialogTarget& target, const std::wstring& path) const
{
    const HWND box = ToHwnd(target.fileNameBox);
    const std::optional<std::wstring> earlier = Text(box);
    if (!earlier || !SetText(box, path))
        return false;
    if (!PressOk(frame, target))
        return true;
    // Found anew: the dialog may have made a new box when it moved.
    const FileDialogTarget moved = RecognizeFileDialog(*this, ToRef(frame));
    if (moved.kind == target.kind)
        SetText(ToHwnd(moved.fileNameBox), *earlier);
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

std::vector<WindowRef> FileDialogNavigator::Children(WindowRef parent) const
{
    std::vector<WindowRef> children;
    for (HWND child = ::FindWindowExW(ToHwnd(parent), nullptr, nullptr, nullptr); child;
         child = ::FindWindowExW(ToHwnd(parent), child, nullptr, nullptr))
        children.push_back(ToRef(child));
    return children;
}
