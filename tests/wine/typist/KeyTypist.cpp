// Stands in for another program that the user types into: its own window in front,
// five keys pressed with SendInput, and for each key the milliseconds from its
// SendInput to the window's WM_KEYDOWN, one line each, written to keytypist-results.txt
// in the temporary folder. It takes no arguments: it sets the event "KeyTypistReady"
// once its window has the focus and types when "KeyTypistGo" is set, both made by the
// test. A key that never arrives is written as -1.
#include <windows.h>
#include "tests/wine/support/MessagePump.h"
#include <cstdio>
#include <string>

namespace {

constexpr WORD kKeys[] = {'A', 'B', 'C', 'D', 'E'};
constexpr DWORD kSetupTimeoutMs = 10000;
// Longer than Wine's wait for a hook that does not answer (2 s).
constexpr DWORD kKeyTimeoutMs = 6000;
constexpr DWORD kPauseBetweenKeysMs = 50;

UINT g_awaited = 0;          // WM_KEYDOWN or WM_KEYUP
WPARAM g_awaitedKey = 0;
LARGE_INTEGER g_arrivedAt{};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_awaited && wParam == g_awaitedKey && g_arrivedAt.QuadPart == 0)
        ::QueryPerformanceCounter(&g_arrivedAt);
    if (message == WM_KEYDOWN || message == WM_KEYUP)
        return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Send(WORD key, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

// Milliseconds from SendInput to the message, or -1 when it did not come.
double SendAndTime(WORD key, bool up)
{
    g_awaited = up ? WM_KEYUP : WM_KEYDOWN;
    g_awaitedKey = key;
    g_arrivedAt.QuadPart = 0;
    LARGE_INTEGER frequency, sentAt;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&sentAt);
    Send(key, up ? KEYEVENTF_KEYUP : 0);
    if (!wt::ServeMessagesUntil([] { return g_arrivedAt.QuadPart != 0; }, kKeyTimeoutMs))
        return -1;
    return 1000.0 * static_cast<double>(g_arrivedAt.QuadPart - sentAt.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, L"KeyTypistReady");
    HANDLE go = ::OpenEventW(SYNCHRONIZE, FALSE, L"KeyTypistGo");
    if (!ready || !go)
        return 3;

    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KeyTypist";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"KeyTypist", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200,
                                    300, 150, nullptr, nullptr, instance, nullptr);
    ::SetForegroundWindow(window);
    ::SetFocus(window);
    if (!wt::ServeMessagesUntil([&] { return ::GetForegroundWindow() == window && ::GetFocus() == window; }, kSetupTimeoutMs))
        return 4;
    ::SetEvent(ready);
    if (!wt::ServeMessagesUntil([&] { return ::WaitForSingleObject(go, 0) == WAIT_OBJECT_0; }, kSetupTimeoutMs))
        return 5;

    std::string lines;
    for (WORD key : kKeys) {
        const double downMs = SendAndTime(key, false);
        SendAndTime(key, true);
        lines += std::to_string(downMs) + "\n";
        wt::ServeMessagesUntil([] { return false; }, kPauseBetweenKeysMs);
    }
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    FILE* out = ::_wfopen((std::wstring(temp) + L"keytypist-results.txt").c_str(), L"w");
    if (!out)
        return 6;
    std::fputs(lines.c_str(), out);
    std::fclose(out);
    ::DestroyWindow(window);
    return 0;
}
