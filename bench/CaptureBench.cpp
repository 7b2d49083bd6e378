// The capture key's down until the capture window is shown (the snapshot of the whole
// virtual screen is taken in between), median over repeated presses. The baseline is
// MinimalCapture, which does only the same steps through the same hook library; both
// programs run side by side and the presses alternate between them, so that a slow
// phase of the machine hits both alike. Run it on screens of different sizes
// (TARNWICK_BENCH_SCREEN).
#include "app/WindowMessages.h"
#include "bench/BenchSupport.h"
#include "tests/wine/support/TestSupport.h"
#include <windows.h>
#include <cstdio>
#include <functional>

namespace {

constexpr int kPresses = 25;
constexpr DWORD kTimeoutMs = 5000;
constexpr DWORD kSettleMs = 100;
constexpr char kCaptureClass[] = "TarnwickCapture";
constexpr char kMinimalHostClass[] = "TarnwickMinimalCaptureHost";
constexpr char kMinimalCaptureClass[] = "TarnwickMinimalCapture";
// The hook, and with it the capture key, is only installed when a shortcut exists.
const char kOneShortcut[] = "[paths]\r\nF2=c:\\reports\r\n";

HWND ShownWindow(const char* windowClass)
{
    HWND window = ::FindWindowA(windowClass, nullptr);
    return window && ::IsWindowVisible(window) ? window : nullptr;
}

// Milliseconds from the key's down to the window shown, or a negative value when none
// came. CTRL and ALT go down first and come up last, as a person presses them; the key
// is sent alone, so that nothing waits on the hooks while the clock runs.
double MeasurePress(WORD key, const char* windowClass)
{
    wt::SendKey(VK_CONTROL, false);
    wt::SendKey(VK_MENU, false);
    ::Sleep(kSettleMs);
    const double start = bench::Now();
    wt::SendKey(key, false);
    const bool shown = wt::WaitUntil([&] { return ShownWindow(windowClass) != nullptr; }, kTimeoutMs, 1);
    const double ms = (bench::Now() - start) * 1000;
    wt::SendKey(key, true);
    wt::SendKey(VK_MENU, true);
    wt::SendKey(VK_CONTROL, true);
    return shown ? ms : -1;
}

struct Contender {
    WORD key;
    const char* windowClass;
    // Takes the capture window away again, outside the measured time.
    std::function<void()> dismiss;
    std::vector<double> times;

    bool Press()
    {
        const double ms = MeasurePress(key, windowClass);
        if (ms < 0)
            return false;
        times.push_back(ms);
        dismiss();
        ::Sleep(kSettleMs);
        return true;
    }
};

}  // namespace

int main()
{
    wt::EndAllInstances();
    wt::ProgramInstall install("capture-bench");
    install.WriteFile("keyset.ini", kOneShortcut);
    wt::Process program(install.Path("ntlauncher.exe"), install.Folder());
    HWND dialog = wt::FindMainDialog(program.Id());
    wt::WaitUntil([&] { return dialog && wt::TrayIconPresent(dialog); });
    wt::Process minimal(wt::BuildFolder() + "\\MinimalCapture.exe", wt::BuildFolder());
    wt::WaitUntil([] { return ::FindWindowA(kMinimalHostClass, nullptr) != nullptr; });
    ::Sleep(kSettleMs);

    Contender ours{VK_SNAPSHOT, kCaptureClass, [&] { ::SendMessageA(dialog, kDestroyCaptureMessage, 0, 0); }, {}};
    Contender baseline{VK_SCROLL, kMinimalCaptureClass,
                       [] { ::SendMessageA(ShownWindow(kMinimalCaptureClass), WM_CLOSE, 0, 0); }, {}};
    // One unmeasured round first: the first snapshot of a process pays for its pages.
    for (int i = -1; i < kPresses; ++i) {
        Contender& first = i % 2 ? ours : baseline;
        Contender& second = i % 2 ? baseline : ours;
        if (!first.Press() || !second.Press()) {
            std::printf("press %d: no capture window shown\n", i);
            return 1;
        }
        if (i < 0) {
            ours.times.clear();
            baseline.times.clear();
        }
    }
    std::printf("virtual screen %dx%d\n", ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    bench::Report("capture key to capture window shown", "ms", ours.times, baseline.times);
    return 0;
}
