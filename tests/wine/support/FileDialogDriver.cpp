#include "tests/wine/support/FileDialogDriver.h"
#include "tests/wine/support/RemoteControls.h"
#include <commdlg.h>

namespace wt {

bool IsFileDialog(HWND dialog)
{
    return ::GetDlgItem(dialog, kFileListView) != nullptr;
}

void RunOpenDialog(const std::string& folder)
{
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_EXPLORER;
    ::GetOpenFileNameA(&ofn);
}

HWND FileNameBox(HWND dialog)
{
    HWND combo = ::FindWindowExA(::GetDlgItem(dialog, kFileNameCombo), nullptr, "ComboBox", nullptr);
    return combo ? ::FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
}

bool FillFileDialog(HWND dialog, const std::string& name)
{
    HWND box = FileNameBox(dialog);
    if (!box)
        return false;
    SetControlText(box, name);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return true;
}

std::string FileDialogFolder(HWND dialog)
{
    char folder[MAX_PATH] = {};
    ::SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    return folder;
}

}  // namespace wt
