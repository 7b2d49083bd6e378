#include "tests/wine/support/WindowThread.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/Utf8.h"

namespace wt {

WindowThread::WindowThread(std::function<void()> run)
    : m_thread([this, run = std::move(run)] {
          m_threadId = ::GetCurrentThreadId();
          run();
          m_done = true;
      })
{
}

WindowThread::~WindowThread()
{
    while (!m_done) {
        for (HWND w : Windows())
            ::PostMessageW(w, WM_CLOSE, 0, 0);
        ::Sleep(50);
    }
    m_thread.join();
}

HWND WindowThread::WaitForWindow(const std::function<bool(HWND)>& wanted) const
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w : Windows())
            if (::IsWindowVisible(w) && wanted(w))
                found = w;
        return found != nullptr;
    });
    return found;
}

std::vector<HWND> WindowThread::Windows() const
{
    std::vector<HWND> windows;
    if (m_threadId == 0)
        return windows;
    ::EnumThreadWindows(m_threadId, [](HWND w, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

namespace {
LRESULT CALLBACK QuitOnDestroyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}

void RunTopLevelWindow(const char* className, const std::function<void(HWND)>& fill)
{
    const std::wstring name = Wide(className);
    WNDCLASSW wc{};
    wc.lpfnWndProc = QuitOnDestroyProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name.c_str();
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, name.c_str(), name.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 200,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    fill(window);
    MSG msg;
    // Typed characters reach a window only as the WM_CHAR that TranslateMessage makes,
    // as in any program's loop.
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::UnregisterClassW(name.c_str(), wc.hInstance);
}

bool BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    return WaitUntil([&] { return ::GetForegroundWindow() == window; });
}

}  // namespace wt
