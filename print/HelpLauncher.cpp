#include "print/HelpLauncher.h"
#include "framework/MessageBox.h"
#include "framework/ModulePath.h"
#include "framework/Shell.h"
#include "res/MessageTexts.h"
#include "framework/WideText.h"
#include "store/SettingsPath.h"
#include <shellapi.h>
#include <string>

namespace {

bool IsFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}


}  // namespace

void OpenHelpFile(HWND owner)
{
    const std::string executable = ExecutablePath();
    for (const std::string& help : {HelpPathForExecutable(executable), HelpPagePathForExecutable(executable)}) {
        if (IsFile(help)) {
            OpenWithShell(help);
            return;
        }
    }
    ShowMessage(owner, Filled(kNoHelpFile, {FolderOfFile(executable)}), MB_OK | MB_ICONINFORMATION);
}
