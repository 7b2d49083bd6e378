#include "editor/FormCommands.h"
#include "editor/BitmapSaveDialog.h"
#include "framework/MessageBox.h"
#include "framework/UniqueHandle.h"
#include <commdlg.h>
#include <shlobj.h>

namespace {
constexpr char kRecipientHint[] = "optional: add recipient here";
constexpr char kImageAccepted[] = "Image Accepted.";
constexpr char kNoBitmap[] = "Please paste bitmap first.";

void FreeItemIdList(LPITEMIDLIST list) { ::CoTaskMemFree(list); }
using ItemIdList = UniqueHandle<LPITEMIDLIST, FreeItemIdList>;
}

std::optional<std::string> ChooseFolder()
{
    LPITEMIDLIST desktop = nullptr;
    ::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop);
    const ItemIdList root(desktop);
    BROWSEINFOA browse{};
    browse.pidlRoot = root.get();
    const ItemIdList folder(::SHBrowseForFolderA(&browse));
    if (!folder)
        return std::nullopt;
    char path[MAX_PATH] = {};
    ::SHGetPathFromIDListA(folder.get(), path);
    return std::string(path);
}

std::optional<std::string> ChooseFile(HWND owner)
{
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!::GetOpenFileNameA(&dialog))
        return std::nullopt;
    return std::string(path);
}

void PromptForPath(CHintEdit& pathBox)
{
    ::SetFocus(pathBox.hwnd());
    ::SetCaretPos(0, 0);
    pathBox.SetHintText(kPathHint);
    pathBox.ShowHint(true);
}

void PromptForRecipient(CHintEdit& pathBox)
{
    pathBox.SetHintText(kRecipientHint);
    pathBox.ShowHint(true);
    // The recipient is typed after "mailto:", so the caret goes to the end.
    HWND box = pathBox.hwnd();
    ::SetFocus(box);
    const auto end = static_cast<WPARAM>(::GetWindowTextLengthA(box));
    ::SendMessageA(box, EM_SETSEL, end, static_cast<LPARAM>(end));
    ::SendMessageA(box, EM_SCROLLCARET, 0, 0);
}

std::optional<std::string> AskPastedImageLocation(HWND owner, const std::string& imageBoxText)
{
    if (imageBoxText != kImageAccepted) {
        ShowMessage(owner, kNoBitmap);
        return std::nullopt;
    }
    return AskBitmapLocation(owner);
}
