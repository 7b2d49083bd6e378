#include "editor/FileDialogs.h"
#include "framework/ModulePath.h"
#include "framework/UniqueHandle.h"
#include "store/SettingsPath.h"
#include <commdlg.h>
#include <shlobj.h>

namespace {

constexpr char kImagesFolder[] = "images";
constexpr char kBitmapFilter[] = "Bitmap Files (*.bmp)\0*.bmp\0";
constexpr char kBitmapExtension[] = "bmp";
constexpr char kBitmapTitle[] = "select file to save the bitmap";

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
        dialog.nMaxFile = MAX_PATH;
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    }
    // The structure points into the object itself.
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;
    std::optional<std::string> Chosen(BOOL shown) const
    {
        return shown ? std::optional<std::string>(path) : std::nullopt;
    }

    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
};

}  // namespace

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
    FileDialog file(owner);
    file.dialog.Flags |= OFN_FILEMUSTEXIST;
    return file.Chosen(::GetOpenFileNameA(&file.dialog));
}

std::optional<std::string> AskBitmapLocation(HWND owner)
{
    const std::string initialFolder = FolderOfFile(ExecutablePath()) + kImagesFolder;
    // An existing folder is fine; a folder that cannot be made only costs the dialog
    // its starting place.
    ::CreateDirectoryA(initialFolder.c_str(), nullptr);

    FileDialog file(owner);
    file.dialog.lpstrFilter = kBitmapFilter;
    file.dialog.lpstrInitialDir = initialFolder.c_str();
    file.dialog.lpstrTitle = kBitmapTitle;
    file.dialog.lpstrDefExt = kBitmapExtension;
    return file.Chosen(::GetSaveFileNameA(&file.dialog));
}
