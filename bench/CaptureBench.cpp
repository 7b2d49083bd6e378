// CTRL+ALT+Print Screen until the capture window is on the screen (the snapshot of
// the whole screen is taken in between), median over repeated presses. Run it on
// screens of different sizes (TARNWICK_BENCH_SCREEN); the baseline is a text hotkey
// to its clipboard change in the same run, the same hook path without the snapshot.
#include "bench/BenchSupport.h"
#include "tests/wine/support/TestSupport.h"
#include <windows.h>
#include <cstdio>

namespace {

constexpr int kPresses = 15;
constexpr UINT kDestroyCaptureMessage = WM_USER + 100;
constexpr char kCaptureClass[] = "TarnwickCapture";

bool CaptureShown()
{
    HWND capture = ::FindWindowA(kCaptureClass, nullptr);
    return capture && ::IsWindowVisible(capture);
}

void DismissPopup()
{
    wt::WaitUntil([] {
        HWND popup = ::FindWindowExA(nullptr, nullptr, "#32770", "Tarnwick");
        for (; popup; popup = ::FindWindowExA(nullptr, popup, "#32770", "Tarnwick"))
            if (!::GetDlgItem(popup, 1022) && ::IsWindowVisible(popup))
                ::PostMessageA(popup, WM_CLOSE, 0, 0);
        return true;
    }, 0);
}

}  // namespace

int main()
{
    wt::EndAllInstances();
    wt::ProgramInstall install("capture-bench");
    install.WriteFile("keyset.ini", bench::FortyEightShortcuts());
    wt::Process program(install.Path("ntlauncher.exe"), install.Folder());
    HWND dialog = wt::FindMainDialog(program.Id());
    wt::WaitUntil([&] { return dialog && wt::TrayIconPresent(dialog); });

    std::vector<double> capture, text;
    for (int i = 0; i < kPresses; ++i) {
        double start = bench::Now();
        wt::PressKeys({VK_CONTROL, VK_MENU, VK_SNAPSHOT});
        if (wt::WaitUntil(CaptureShown, 5000, 1))
            capture.push_back((bench::Now() - start) * 1000);
        ::SendMessageA(dialog, kDestroyCaptureMessage, 0, 0);

        wt::EmptyTheClipboard();
        start = bench::Now();
        wt::PressKeys({VK_CONTROL, VK_MENU, 'T'});
        if (wt::WaitUntil([] { return wt::ClipboardText().has_value(); }, 5000, 1))
            text.push_back((bench::Now() - start) * 1000);
        DismissPopup();
        ::Sleep(50);
    }
    std::printf("screen %dx%d\n", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    bench::Report("capture key to capture window shown", "ms", capture, text);
    return 0;
}
