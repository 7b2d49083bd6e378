// Stands in for the program the shell would open a file, folder, URL or mail address
// with: it appends its command line, in UTF-8, to a file that the tests read.
#include <windows.h>
#include "../support/Utf8.h"   // built without the project's include folder
#include <string>

namespace {

// The command line after the program's own name, skipped as the C runtime does for
// WinMain's; but wide: the ANSI one has lost what the code page cannot hold.
const wchar_t* Arguments(const wchar_t* commandLine)
{
    const wchar_t* at = commandLine;
    for (bool quoted = false; *at > L' ' || (*at && quoted); ++at)
        if (*at == L'"')
            quoted = !quoted;
    while (*at && *at <= L' ')
        ++at;
    return at;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring records = std::wstring(temp) + L"tarnwick-shell-records.txt";
    HANDLE file = ::CreateFileW(records.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string line = wt::Utf8(Arguments(::GetCommandLineW())) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
