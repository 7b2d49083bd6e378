#pragma once
#include <windows.h>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Other programs' windows, played by windows of the test's own process.
namespace wt {

// Runs windows of this process on a thread of their own, as another program's
// windows would run: they answer sent messages while the test thread presses keys.
// Whatever the thread still shows at the end is closed.
class WindowThread {
public:
    explicit WindowThread(std::function<void()> run);
    ~WindowThread();
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    // The thread's first visible top-level window that satisfies the test; nullptr
    // when none shows up in time.
    HWND WaitForWindow(const std::function<bool(HWND)>& wanted) const;

private:
    std::vector<HWND> Windows() const;

    std::atomic<DWORD> m_threadId{0};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Makes a visible top-level window of the class, lets `fill` add its children and
// serves it until it is closed. For a WindowThread.
void RunTopLevelWindow(const char* className, const std::function<void(HWND)>& fill);

// Brings the window to the front and waits until it is there.
[[nodiscard]] bool BringToFront(HWND window);

}  // namespace wt
