// Start-up time (process start until the tray icon is present and the dialog hidden,
// with 48 shortcuts in keyset.ini) and idle memory of ntlauncher.exe, each against a
// minimal dialog program with a tray icon; and the size of the three shipped files.
#include "bench/BenchSupport.h"
#include "tests/wine/support/TestSupport.h"
#include <windows.h>
#include <psapi.h>
#include <cstdio>

namespace {

constexpr int kRuns = 15;
constexpr DWORD kIdleMs = 2000;
constexpr UINT kMinimalTrayId = 1;

struct Run {
    double startSeconds = 0;
    double workingSetKb = 0;
    double privateKb = 0;
};

HWND FindTopLevel(DWORD processId, const char* title)
{
    HWND found = nullptr;
    wt::WaitUntil([&] {
        for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", title); w; w = ::FindWindowExA(nullptr, w, "#32770", title))
            if (wt::WindowProcess(w) == processId)
                found = w;
        return found != nullptr;
    }, 20000, 1);
    return found;
}

Run Measure(const std::string& exe, const std::string& folder, const char* title, UINT trayId)
{
    Run run;
    const double start = bench::Now();
    wt::Process process(exe, folder);
    HWND window = FindTopLevel(process.Id(), title);
    wt::WaitUntil([&] { return window && wt::TrayIconPresent(window, trayId) && !::IsWindowVisible(window); }, 20000, 1);
    run.startSeconds = bench::Now() - start;

    ::Sleep(kIdleMs);
    HANDLE handle = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.Id());
    PROCESS_MEMORY_COUNTERS_EX counters{};
    ::GetProcessMemoryInfo(handle, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    ::CloseHandle(handle);
    run.workingSetKb = counters.WorkingSetSize / 1024.0;
    run.privateKb = counters.PrivateUsage / 1024.0;
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    return run;
}

double FileKb(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow / 1024.0;
}

}  // namespace

int main()
{
    wt::EndAllInstances();
    wt::ProgramInstall install("startup-bench");
    install.WriteFile("keyset.ini", bench::FortyEightShortcuts());
    const std::string minimal = wt::BuildFolder() + "\\minimaltray.exe";

    std::vector<double> startOurs, startBase, wsOurs, wsBase, privOurs, privBase;
    // Interleaved, so that a slow phase of the machine hits both alike.
    for (int i = 0; i < kRuns; ++i) {
        Run ours = Measure(install.Path("ntlauncher.exe"), install.Folder(), "Tarnwick", wt::kTrayIconId);
        wt::EndAllInstances();
        Run base = Measure(minimal, install.Folder(), "Minimal", kMinimalTrayId);
        startOurs.push_back(ours.startSeconds * 1000);
        startBase.push_back(base.startSeconds * 1000);
        wsOurs.push_back(ours.workingSetKb);
        wsBase.push_back(base.workingSetKb);
        privOurs.push_back(ours.privateKb);
        privBase.push_back(base.privateKb);
    }
    bench::Report("start-up to tray, hidden", "ms", startOurs, startBase);
    bench::Report("idle working set", "KiB", wsOurs, wsBase);
    bench::Report("idle private bytes", "KiB", privOurs, privBase);

    double total = 0;
    for (const char* file : {"Tarnwick.exe", "ntlauncher.exe", "keyhook.dll"}) {
        double kb = FileKb(install.Path(file));
        total += kb;
        std::printf("size of %s: %.1f KiB\n", file, kb);
    }
    std::printf("size of the three files together: %.1f KiB\n", total);
    return 0;
}
