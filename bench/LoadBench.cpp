// Start-up with a long keyset.ini until the main dialog is ready (its initialisation,
// which loads the file and lists every shortcut, over and the dialog answering),
// against a minimal program that reads the same file into memory and then answers,
// for files of 2,000, 20,000 and 200,000 lines. The load is linear when ours grows
// with the file as the baseline's does.
#include "bench/BenchSupport.h"
#include "tests/wine/support/TestSupport.h"
#include <windows.h>
#include <commctrl.h>
#include <cstdio>

namespace {

constexpr int kRuns = 7;
constexpr int kLineCounts[] = {2000, 20000, 200000};
constexpr DWORD kReadyTimeoutMs = 120000;
// Under Wine the next program's first window waits up to 2 s after one has ended.
constexpr DWORD kSettleMs = 2500;
constexpr char kBaselineClass[] = "MinimalFileReader";
const char* const kKeyNames[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F",
                                 "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V",
                                 "W", "X", "Y", "Z", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
                                 "F11", "F12"};

// A hand-made [contents] of short lines that take the 48 keys in turn.
std::string SettingsOfLines(int lines)
{
    std::string file = "[contents]\r\n";
    for (int i = 1; i < lines; ++i)
        file += std::string(kKeyNames[i % 48]) + "=text of line " + std::to_string(i) + "\r\n";
    return file;
}

// Milliseconds from the start until the program's dialog has ended its
// initialisation, whose last step checks the path radio. (A message sent meanwhile
// may be answered while the initialisation waits for the tray.)
double StartOurs(const wt::ProgramInstall& install, int entries)
{
    const double start = bench::Now();
    wt::Process program(install.Path("ntlauncher.exe"), install.Folder());
    HWND dialog = nullptr;
    wt::WaitUntil([&] { return (dialog = wt::FindMainDialog(program.Id(), 0)) != nullptr; }, kReadyTimeoutMs, 1);
    wt::WaitUntil([&] {
        DWORD_PTR checked = 0;
        return ::SendMessageTimeoutA(::GetDlgItem(dialog, IDC_PATH_RADIO), BM_GETCHECK, 0, 0, SMTO_NORMAL,
                                     kReadyTimeoutMs, &checked) && checked == BST_CHECKED;
    }, kReadyTimeoutMs, 1);
    const double ms = (bench::Now() - start) * 1000;
    const LRESULT listed = ::SendMessageA(::GetDlgItem(dialog, IDC_SHORTCUT_LIST), LVM_GETITEMCOUNT, 0, 0);
    if (listed != entries)
        std::printf("not ready: %d of %d rows listed\n", static_cast<int>(listed), entries);
    return ms;
}

double StartBaseline(const std::string& exe, const wt::ProgramInstall& install)
{
    const double start = bench::Now();
    wt::Process program(exe, install.Folder());
    HWND window = nullptr;
    wt::WaitUntil([&] {
        window = ::FindWindowA(kBaselineClass, nullptr);
        return window && wt::WindowProcess(window) == program.Id();
    }, kReadyTimeoutMs, 1);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kReadyTimeoutMs, &ignored);
    return (bench::Now() - start) * 1000;
}

}  // namespace

int main()
{
    wt::EndAllInstances();
    wt::ProgramInstall install("load-bench");
    const std::string baseline = wt::BuildFolder() + "\\MinimalFileReader.exe";
    for (int lines : kLineCounts) {
        const std::string settings = SettingsOfLines(lines);
        install.WriteFile("keyset.ini", settings);
        std::vector<double> ours, base;
        // Interleaved, so that a slow phase of the machine hits both alike.
        for (int run = 0; run < kRuns; ++run) {
            ours.push_back(StartOurs(install, lines - 1));
            wt::EndAllInstances();
            ::Sleep(kSettleMs);
            base.push_back(StartBaseline(baseline, install));
            ::Sleep(kSettleMs);
        }
        char name[128];
        std::snprintf(name, sizeof(name), "start-up to the dialog ready, %d lines (%.1f MB)", lines,
                      settings.size() / 1e6);
        bench::Report(name, "ms", ours, base);
    }
    return 0;
}
