// unpackedcheck.exe FOLDER: starts Tarnwick.exe from a folder unpacked out of the
// release zip, as a user would, and checks that it runs from there: it hands over to
// the ntlauncher.exe beside it, whose dialog comes up (so keyhook.dll was found), and
// the Help button opens the TWHELP.html beside it. Ends the program again.
// Exit code 0 when all holds; otherwise what failed is printed.
#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/TestSupport.h"
#include <windows.h>
#include <cstdio>
#include <string>

using namespace wt;

namespace {

constexpr UINT kTrayOpen = 32784;
constexpr UINT kTrayExit = 32779;
constexpr int kHelpButton = 1026;
constexpr DWORD kHandOverTimeoutMs = 10000;

std::string ImageOf(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    char path[MAX_PATH * 4];
    DWORD length = sizeof(path);
    std::string image = ::QueryFullProcessImageNameA(process, 0, path, &length) ? std::string(path, length) : "";
    ::CloseHandle(process);
    return image;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

int Fail(const char* what, const std::string& detail = {})
{
    std::printf("unpacked programs: %s%s%s\n", what, detail.empty() ? "" : ": ", detail.c_str());
    EndAllInstances();
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Fail("usage: unpackedcheck.exe FOLDER");
    const std::string folder = argv[1];
    EndAllInstances();
    const ShellRecorder browser({".html"});

    Process starter(folder + "\\Tarnwick.exe", folder);
    if (!starter.WaitForExit(kHandOverTimeoutMs))
        return Fail("Tarnwick.exe did not hand over and end");
    HWND dialog = FindMainDialog(0);
    if (!dialog)
        return Fail("no main dialog came up");
    const std::string image = ImageOf(WindowProcess(dialog));
    if (!SamePath(image, folder + "\\ntlauncher.exe"))
        return Fail("the dialog is not the unpacked ntlauncher.exe's", image);

    // No keyset.ini in a new folder: the dialog stays up. Opening it again is harmless.
    ::PostMessageA(dialog, WM_COMMAND, kTrayOpen, 0);
    if (!WaitUntil([&] { return ::IsWindowVisible(dialog) != FALSE; }))
        return Fail("the dialog is not shown");
    ::PostMessageA(::GetDlgItem(dialog, kHelpButton), BM_CLICK, 0, 0);
    if (!browser.WaitForRecords(1))
        return Fail("Help opened nothing");
    const std::string opened = browser.Records().front();
    if (!SamePath(opened, folder + "\\TWHELP.html") && !SamePath(opened, "\"" + folder + "\\TWHELP.html\""))
        return Fail("Help opened something else", opened);

    const DWORD program = WindowProcess(dialog);
    ::PostMessageA(dialog, WM_COMMAND, kTrayExit, 0);
    if (!WaitUntil([&] { return ::IsWindow(dialog) == FALSE; }))
        return Fail("Exit did not end the program", std::to_string(program));
    std::printf("unpacked programs: started from %s, help page opened, ended\n", folder.c_str());
    return 0;
}
