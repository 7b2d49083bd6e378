#include "tests/wine/support/FileDialogDriver.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/Utf8.h"
#include <commdlg.h>

namespace wt {

bool IsFileDialog(HWND dialog)
{
    return ::GetDlgItem(dialog, kFileListView) != nullptr;
}

void RunOpenDialog(const std::string& folder)
{
    wchar_t file[MAX_PATH] = {};
    const std::wstring initialFolder = Wide(folder);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = initialFolder.c_str();
    ofn.Flags = OFN_EXPLORER;
    ::GetOpenFileNameW(&ofn);
}

void RunSaveDialog(const std::string& folder, const std::string& suggestedName, SaveDialogResult& result)
{
    std::wstring file = Wide(suggestedName);
    file.resize(MAX_PATH * 4, L'\0');
    const std::wstring initialFolder = Wide(folder);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialFolder.c_str();
    ofn.Flags = OFN_EXPLORER;
    if (::GetSaveFileNameW(&ofn))
        result.chosen = Utf8(file.c_str());
    result.ended = true;
}

HWND FileNameBox(HWND dialog)
{
    HWND combo = ::FindWindowExW(::GetDlgItem(dialog, kFileNameCombo), nullptr, L"ComboBox", nullptr);
    return combo ? ::FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
}

bool FillFileDialog(HWND dialog, const std::string& name)
{
    HWND box = FileNameBox(dialog);
    if (!box)
        return false;
    SetControlText(box, name);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return true;
}

std::string FileDialogFolder(HWND dialog)
{
    // The dialog answers in the kind of text it was opened with: RunOpenDialog's is wide.
    wchar_t folder[MAX_PATH] = {};
    ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    return Utf8(folder);
}

}  // namespace wt
