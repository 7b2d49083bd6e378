#include "editor/BitmapSaveDialog.h"
#include "framework/ModulePath.h"
#include <commdlg.h>

namespace {
constexpr char kImagesFolder[] = "images";
constexpr char kFilter[] = "Bitmap Files (*.bmp)\0*.bmp\0";
constexpr char kDefaultExtension[] = "bmp";
constexpr char kTitle[] = "select file to save the bitmap";

std::string ImagesFolder()
{
    std::string folder = ExecutablePath();
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + kImagesFolder;
}
}

std::optional<std::string> AskBitmapLocation(HWND owner)
{
    const std::string initialFolder = ImagesFolder();
    // An existing folder is fine; a folder that cannot be made only costs the dialog
    // its starting place.
    ::CreateDirectoryA(initialFolder.c_str(), nullptr);

    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrTitle = kTitle;
    dialog.lpstrDefExt = kDefaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!::GetSaveFileNameA(&dialog))
        return std::nullopt;
    return std::string(path);
}
