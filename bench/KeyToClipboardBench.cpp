// Time from the key-down of CTRL+ALT+T (SendInput) to the clipboard's change
// notification in this process, for the program with 48 shortcuts loaded and for a
// minimal hook-to-clipboard program, measured alternately in the same run.
#include <windows.h>
#include <shellapi.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 4;
constexpr int kPressesPerRound = 60;
constexpr DWORD kTimeoutMs = 5000;
constexpr int kNotifyText = 1003;
constexpr int kShortcutList = 1022;
const char* const kKeyNames[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F",
                                 "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V",
                                 "W", "X", "Y", "Z", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
                                 "F11", "F12"};

std::string BinFolder()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

// The program with its table, in a folder of its own so that bin's settings stay out.
std::string PrepareInstall()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tarnwick-bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"ntlauncher.exe", "keyhook.dll"})
        ::CopyFileA((BinFolder() + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE);
    // Every key bound; the measured one is a text among 48 records.
    std::string settings = "[paths]\r\n";
    for (int i = 0; i < 16; ++i)
        settings += std::string(kKeyNames[i]) + "=c:\\folder" + std::to_string(i) + "\r\n";
    settings += "[contents]\r\n";
    for (int i = 16; i < 48; ++i)
        settings += std::string(kKeyNames[i]) + "=text number " + std::to_string(i) + "\r\n";
    HANDLE file = ::CreateFileA((folder + "\\keyset.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, settings.data(), static_cast<DWORD>(settings.size()), &written, nullptr);
    ::CloseHandle(file);
    return folder;
}

struct Program {
    PROCESS_INFORMATION info{};
    bool Start(const std::string& exe, const std::string& folder)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string commandLine = "\"" + exe + "\"";
        return ::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                &startup, &info) != FALSE;
    }
    ~Program()
    {
        if (info.hProcess) {
            ::TerminateProcess(info.hProcess, 0);
            ::WaitForSingleObject(info.hProcess, kTimeoutMs);
            ::CloseHandle(info.hProcess);
            ::CloseHandle(info.hThread);
        }
    }
};

DWORD WindowProcess(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

// Serves this thread's messages until `done` holds or the time is up.
template <typename Condition>
bool PumpUntil(Condition done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        if (done())
            return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 10), QS_ALLINPUT);
    }
    return true;
}

HWND FindDialog(DWORD processId, int withItem)
{
    for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = ::FindWindowExA(nullptr, w, "#32770", nullptr))
        if (WindowProcess(w) == processId && ::GetDlgItem(w, withItem))
            return w;
    return nullptr;
}

LARGE_INTEGER g_clipboardChangedAt;   // set by the listener window

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLIPBOARDUPDATE)
        ::QueryPerformanceCounter(&g_clipboardChangedAt);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

// One press of CTRL+ALT+T; the milliseconds from T's key-down to the clipboard change,
// or a negative value when no change came.
double MeasurePress()
{
    LARGE_INTEGER frequency, pressedAt;
    ::QueryPerformanceFrequency(&frequency);
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    ::Sleep(5);
    g_clipboardChangedAt.QuadPart = 0;
    ::QueryPerformanceCounter(&pressedAt);
    SendKey('T', false);
    const bool changed = PumpUntil([] { return g_clipboardChangedAt.QuadPart != 0; }, kTimeoutMs);
    SendKey('T', true);
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
    if (!changed)
        return -1;
    return 1000.0 * static_cast<double>(g_clipboardChangedAt.QuadPart - pressedAt.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The popup holds the program's thread for 1.5 s: close it before the next press.
void DismissPopup(DWORD processId)
{
    HWND popup = nullptr;
    PumpUntil([&] { return (popup = FindDialog(processId, kNotifyText)) != nullptr; }, 2000);
    if (popup) {
        ::PostMessageA(popup, WM_CLOSE, 0, 0);
        PumpUntil([&] { return !::IsWindow(popup); }, 2000);
    }
}

bool MeasureRound(const std::string& exe, const std::string& folder, bool isTarnwick, std::vector<double>& times)
{
    Program program;
    if (!program.Start(exe, folder))
        return false;
    const DWORD processId = program.info.dwProcessId;
    if (isTarnwick) {
        // Gone to the tray: the hook is installed.
        HWND dialog = nullptr;
        if (!PumpUntil([&] { return (dialog = FindDialog(processId, kShortcutList)) != nullptr && !::IsWindowVisible(dialog); }, 10000))
            return false;
    } else {
        ::WaitForInputIdle(program.info.hProcess, kTimeoutMs);
    }
    ::Sleep(200);
    for (int i = 0; i < kPressesPerRound; ++i) {
        const double ms = MeasurePress();
        if (ms < 0)
            return false;
        times.push_back(ms);
        if (isTarnwick)
            DismissPopup(processId);
        PumpUntil([] { return false; }, 20);
    }
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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

    const std::string folder = PrepareInstall();
    const std::string tarnwick = folder + "\\ntlauncher.exe";
    const std::string minimal = BinFolder() + "\\MinimalHookClipboard.exe";
    std::vector<double> tarnwickTimes, minimalTimes;
    // Alternating rounds, so that a slow phase of the machine hits both alike.
    for (int round = 0; round < kRounds; ++round) {
        if (!MeasureRound(minimal, BinFolder(), false, minimalTimes) ||
            !MeasureRound(tarnwick, folder, true, tarnwickTimes)) {
            std::printf("round %d failed: no clipboard change\n", round);
            return 1;
        }
    }
    const double tarnwickMedian = Median(tarnwickTimes), minimalMedian = Median(minimalTimes);
    std::printf("key-down to clipboard, median of %zu presses each:\n", tarnwickTimes.size());
    std::printf("  Tarnwick (48 shortcuts): %.2f ms\n", tarnwickMedian);
    std::printf("  minimal hook program:    %.2f ms\n", minimalMedian);
    std::printf("  ratio:                   %.2f\n", tarnwickMedian / minimalMedian);
    return 0;
}
