#include "framework/Shell.h"
#include "framework/WideText.h"
#include <windows.h>
#include <shellapi.h>

namespace {

// Wine's shell copies the path into a buffer of its own that a path of 997 UTF-16
// units or more overruns, and the program ends (measured with Wine 8). Windows takes
// paths and URLs as long as a path box holds.
constexpr size_t kWineShellLongestPath = 996;

bool RunsUnderWine()
{
    // The function Wine documents for telling itself apart from Windows.
    static const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

}  // namespace

bool OpenWithShell(const std::string& path)
{
    const std::wstring wide = Wide(path);
    if (RunsUnderWine() && wide.size() > kWineShellLongestPath)
        return false;
    ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}
