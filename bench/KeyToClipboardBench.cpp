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

// A press waits until the program answers again. How long that takes once the popup is
// hidden is the second figure: on a display without a window manager Wine held the
// program's thread for up to 2 s after hiding a window, which Windows never does.
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

// Closes the popup before the next press, as a click would; the program keeps the
// window for the next one, hidden.
void DismissPopup(DWORD processId)
{
    HWND popup = nullptr;
    wt::ServeMessagesUntil([&] { return (popup = wt::FindPopup(processId)) != nullptr; }, 2000);
    if (popup) {
        ::PostMessageA(popup, WM_CLOSE, 0, 0);
        wt::ServeMessagesUntil([&] { return !::IsWindowVisible(popup); }, 2000);
    }
}

// Each press's milliseconds to the clipboard, and from the popup hidden (the baseline:
// from the clipboard set) until the program answers again.
bool MeasureRound(const std::string& exe, const std::string& folder, bool isTarnwick, std::vector<double>& times,
                  std::vector<double>& answers)
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
    if (!WaitUntilAnswering(window))
        return false;
    for (int i = 0; i < kPressesPerRound; ++i) {
        const double ms = MeasurePress();
        if (ms < 0)
            return false;
        times.push_back(ms);
        if (isTarnwick)
            DismissPopup(program.Id());
        const double hiddenAt = bench::Now();
        if (!WaitUntilAnswering(window))
            return false;
        answers.push_back((bench::Now() - hiddenAt) * 1000);
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
    std::vector<double> tarnwickTimes, minimalTimes, tarnwickAnswers, minimalAnswers;
    // Alternating rounds, so that a slow phase of the machine hits both alike.
    for (int round = 0; round < kRounds; ++round) {
        if (!MeasureRound(minimal, wt::BuildFolder(), false, minimalTimes, minimalAnswers) ||
            !MeasureRound(install.Path("ntlauncher.exe"), install.Folder(), true, tarnwickTimes, tarnwickAnswers)) {
            std::printf("round %d failed: no clipboard change\n", round);
            return 1;
        }
    }
    bench::Report("key-down to clipboard, Tarnwick (48 shortcuts) vs minimal hook program", "ms", tarnwickTimes,
                  minimalTimes);
    bench::Report("popup hidden (baseline: clipboard set) to the program answering again", "ms", tarnwickAnswers,
                  minimalAnswers);
    return 0;
}
