#include "tests/wine/support/WindowThread.h"
#include "tests/wine/support/TestSupport.h"

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
            ::PostMessageA(w, WM_CLOSE, 0, 0);
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
    return ::DefWindowProcA(window, message, wParam, lParam);
}
}

void RunTopLevelWindow(const char* className, const std::function<void(HWND)>& fill)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = QuitOnDestroyProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 200,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    fill(window);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    ::UnregisterClassA(className, wc.hInstance);
}

bool BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    return WaitUntil([&] { return ::GetForegroundWindow() == window; });
}

}  // namespace wt
