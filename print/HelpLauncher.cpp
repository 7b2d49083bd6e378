#include "print/HelpLauncher.h"
#include "framework/ModulePath.h"
#include "store/SettingsPath.h"
#include <windows.h>
#include <shellapi.h>

void OpenHelpFile()
{
    // The result is not looked at: the program has nothing to add about a missing
    // help file or viewer.
    ::ShellExecuteA(nullptr, "open", HelpPathForExecutable(ExecutablePath()).c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
}
