// Time from the key-down of CTRL+ALT+T (SendInput) to the clipboard's change
// notification in this process, for the program with 48 shortcuts loaded and for a
// minimal hook-to-clipboard program, measured alternately in the same run.
#include "bench/BenchSupport.h"
#include "tests/wine/support/MessagePump.h"
#include "tests/wine/support/ProgramDialogs.h"
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 4;
constexpr int kPressesPerRound = 60;
constexpr DWORD kTimeoutMs = 5000;
constexpr char kMinimalClass[] = "TarnwickMinimalHook";

// Under Xvfb without a window manager, Wine holds a thread for up to 2 s when it hides
// one of its windows (the popup, the dialog going to the tray), waiting for an answer
// that only a window manager gives. A press waits until the program answers again, so
// that this, which Windows does not do, is not counted as its reaction time.
bool WaitUntilAnswering(HWND window)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result) != 0;
}

double g_clipboardChangedAt = 0;   // set by the listener window

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLIPBOARDUPDATE)
        g_clipboardChangedAt = bench::Now();
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// One press of CTRL+ALT+T; the milliseconds from T's key-down to the clipboard change,
// or a negative value when no change came.
double MeasurePress()
{
    wt::SendKey(VK_CONTROL, false);
    wt::SendKey(VK_MENU, false);
    ::Sleep(5);
    g_clipboardChangedAt = 0;
    const double pressedAt = bench::Now();
    wt::SendKey('T', false);
    const bool changed = wt::ServeMessagesUntil([] { return g_clipboardChangedAt != 0; }, kTimeoutMs);
    wt::SendKey('T', true);
    wt::SendKey(VK_MENU, true);
    wt::SendKey(VK_CONTROL, true);
    return changed ? (g_clipboardChangedAt - pressedAt) * 1000 : -1;
}

// The popup holds the program's thread for 1.5 s: close it before the next press.
void DismissPopup(DWORD processId)
{
    HWND popup = nullptr;
    wt::ServeMessagesUntil([&] { return (popup = wt::FindPopup(processId)) != nullptr; }, 2000);
    if (popup) {
        ::PostMessageA(popup, WM_CLOSE, 0, 0);
        wt::ServeMessagesUntil([&] { return !::IsWindow(popup); }, 2000);
    }
}

bool MeasureRound(const std::string& exe, const std::string& folder, bool isTarnwick, std::vector<double>& times)
{
    wt::Process program(exe, folder);
    HWND window = nullptr;
    if (isTarnwick) {
        // Gone to the tray: the hook is installed.
        window = wt::FindMainDialog(program.Id());
        if (!window || !wt::ServeMessagesUntil([&] { return !::IsWindowVisible(window); }, 10000))
            return false;
    } else {
        // It answers messages once its hook is in place: the first answer below waits for that.
        if (!wt::ServeMessagesUntil([&] { return (window = ::FindWindowA(kMinimalClass, nullptr)) != nullptr; }, 10000))
            return false;
    }
    ::Sleep(200);
    for (int i = 0; i < kPressesPerRound; ++i) {
        if (!WaitUntilAnswering(window))
            return false;
        const double ms = MeasurePress();
        if (ms < 0)
            return false;
        times.push_back(ms);
        if (isTarnwick)
            DismissPopup(program.Id());
        wt::ServeMessagesUntil([] { return false; }, 20);
    }
    return true;
}

} // namespace

int main()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ListenerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnwickBenchListener";
    ::RegisterClassA(&wc);
    HWND listener = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (!::AddClipboardFormatListener(listener)) {
        std::printf("no clipboard listener\n");
        return 1;
    }

    wt::EndAllInstances();
    // A text among 48 records is the one measured.
    wt::ProgramInstall install("key-to-clipboard-bench");
    install.WriteFile("keyset.ini", bench::FortyEightShortcuts());
    const std::string minimal = wt::BuildFolder() + "\\MinimalHookClipboard.exe";
    std::vector<double> tarnwickTimes, minimalTimes;
    // Alternating rounds, so that a slow phase of the machine hits both alike.
    for (int round = 0; round < kRounds; ++round) {
        if (!MeasureRound(minimal, wt::BuildFolder(), false, minimalTimes) ||
            !MeasureRound(install.Path("ntlauncher.exe"), install.Folder(), true, tarnwickTimes)) {
            std::printf("round %d failed: no clipboard change\n", round);
            return 1;
        }
    }
    bench::Report("key-down to clipboard, Tarnwick (48 shortcuts) vs minimal hook program", "ms", tarnwickTimes,
                  minimalTimes);
    return 0;
}
