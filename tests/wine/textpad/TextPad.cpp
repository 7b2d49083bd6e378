// Stands in for a program the user types into, in a process of its own: a window that
// is one edit box. Every key-down that reaches the box is written, as its virtual-key
// code in hex, one a line, to the file named by its one argument, so that a test can
// tell which keys arrived and which did not.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kClassName[] = L"TarnwickTextPad";
FILE* g_log = nullptr;

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && g_log) {
        std::fprintf(g_log, "%02X\n", static_cast<unsigned>(wParam));
        std::fflush(g_log);
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        // The box has the keyboard whenever the window has.
        ::SetFocus(::GetDlgItem(frame, 1));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(frame, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR arguments, int)
{
    std::wstring log = arguments;
    // The path comes quoted.
    if (log.size() >= 2 && log.front() == L'"' && log.back() == L'"')
        log = log.substr(1, log.size() - 2);
    g_log = _wfopen(log.c_str(), L"w");
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    HWND frame = ::CreateWindowExW(0, kClassName, L"Text pad", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 420, 200,
                                   nullptr, nullptr, instance, nullptr);
    HWND box = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 400, 160,
                                 frame, reinterpret_cast<HMENU>(1), instance, nullptr);
    ::SetWindowSubclass(box, BoxProc, 1, 0);
    ::SetForegroundWindow(frame);
    ::SetFocus(box);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (g_log)
        std::fclose(g_log);
    return 0;
}
