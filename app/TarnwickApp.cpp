#include "app/TarnwickApp.h"
#include "app/MainDlg.h"
#include "framework/UniqueHandle.h"
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace {
constexpr wchar_t kNtEdition[] = L"ntlauncher.exe";
constexpr wchar_t kInstanceMutex[] = L"MYICONCODE";
constexpr DWORD kNinexFamilyBit = 0x80000000;
// The class of every dialog box, "#32770".
constexpr ULONG_PTR kDialogClassAtom = 32770;
}

bool CTarnwickApp::RunsOnThisFamily()
{
#ifdef TARNWICK_NT_EDITION
    return true;
#else
    return (::GetVersion() & kNinexFamilyBit) != 0;
#endif
}

void CTarnwickApp::StartNtEdition()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION process{};
    // A bare name: the search starts in this program's own folder.
    std::wstring commandLine = kNtEdition;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

// Tab, Enter and Escape in any of the program's dialogs (the main dialog, the
// confirmation popup) do what they do in a dialog. Other windows, the capture among
// them, take their keys themselves.
bool CTarnwickApp::IsDialogKey(MSG& msg)
{
    HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    return root && ::GetClassLongPtrW(root, GCW_ATOM) == kDialogClassAtom && ::IsDialogMessageW(root, &msg);
}

int CTarnwickApp::Run()
{
    if (!RunsOnThisFamily()) {
        StartNtEdition();
        return 0;
    }
    // Held until the process ends: a later instance only checks that the name exists.
    KernelHandle instanceMutex(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    CMainDlg mainDlg;
    if (!mainDlg.Create())
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogKey(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
