#include "editor/FileDialogs.h"
#include "framework/ModulePath.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"
#include "store/SettingsPath.h"
#include "store/Shortcut.h"
#include <commdlg.h>
#include <shlobj.h>

namespace {

constexpr char kImagesFolder[] = "images";
constexpr wchar_t kBitmapFilter[] = L"Bitmap Files (*.bmp)\0*.bmp\0";
constexpr wchar_t kBitmapExtension[] = L"bmp";
constexpr wchar_t kBitmapTitle[] = L"select file to save the bitmap";
// Room for every path a path box takes, and its terminating zero.
constexpr DWORD kPathBufferChars = kMaxPathChars + 1;

void FreeItemIdList(LPITEMIDLIST list) { ::CoTaskMemFree(list); }
using ItemIdList = UniqueHandle<LPITEMIDLIST, FreeItemIdList>;

// What the open and the save dialog have in common: the owner, the buffer for the
// chosen path and the Explorer look.
struct FileDialog {
    explicit FileDialog(HWND owner)
    {
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = owner;
        dialog.lpstrFile = path;
        dialog.nMaxFile = kPathBufferChars;
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    }
    // The structure points into the object itself.
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;
    std::optional<std::string> Chosen(BOOL shown) const
    {
        return shown ? std::optional<std::string>(Utf8(path)) : std::nullopt;
    }

    wchar_t path[kPathBufferChars] = {};
    OPENFILENAMEW dialog{};
};

}  // namespace

std::optional<std::string> ChooseFolder()
{
    LPITEMIDLIST desktop = nullptr;
    ::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop);
    const ItemIdList root(desktop);
    BROWSEINFOW browse{};
    browse.pidlRoot = root.get();
    const ItemIdList folder(::SHBrowseForFolderW(&browse));
    if (!folder)
        return std::nullopt;
    std::wstring path(kPathBufferChars, L'\0');
    if (!::SHGetPathFromIDListEx(folder.get(), path.data(), kPathBufferChars, GPFIDL_DEFAULT))
        return std::nullopt;
    path.resize(path.find(L'\0'));
    return Utf8(path);
}

std::optional<std::string> ChooseFile(HWND owner)
{
    FileDialog file(owner);
    file.dialog.Flags |= OFN_FILEMUSTEXIST;
    return file.Chosen(::GetOpenFileNameW(&file.dialog));
}

std::optional<std::string> AskBitmapLocation(HWND owner)
{
    const std::wstring initialFolder = Wide(FolderOfFile(ExecutablePath()) + kImagesFolder);
    // An existing folder is fine; a folder that cannot be made only costs the dialog
    // its starting place.
    ::CreateDirectoryW(initialFolder.c_str(), nullptr);

    FileDialog file(owner);
    file.dialog.lpstrFilter = kBitmapFilter;
    file.dialog.lpstrInitialDir = initialFolder.c_str();
    file.dialog.lpstrTitle = kBitmapTitle;
    file.dialog.lpstrDefExt = kBitmapExtension;
    return file.Chosen(::GetSaveFileNameW(&file.dialog));
}
