#include "keyhook/HookThread.h"

namespace {

// What a low-level hook returns to keep an event from the rest of the hook chain and
// from the window it was meant for.
constexpr LRESULT kSwallowEvent = 1;

// The reporter of the hook thread that is running. At most one runs at a time, and
// only that thread reads it: the system calls the hook on the thread that set it.
KeyReporter* g_reporter = nullptr;

} // namespace

bool HookThread::Start(HMODULE module, HWND receiver, UINT message)
{
    m_module = module;
    m_reporter.Reset(receiver, message);
    m_started.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_started)
        return false;
    m_thread.reset(::CreateThread(nullptr, 0, &HookThread::ThreadMain, this, 0, &m_threadId));
    if (!m_thread)
        return false;
    ::WaitForSingleObject(m_started.get(), INFINITE);
    if (!m_hooked) {
        ::WaitForSingleObject(m_thread.get(), INFINITE);
        m_thread.reset();
    }
    return m_hooked;
}

bool HookThread::Stop()
{
    if (!m_thread)
        return true;
    ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(m_thread.get(), INFINITE);
    DWORD removed = FALSE;
    ::GetExitCodeThread(m_thread.get(), &removed);
    m_thread.reset();
    return removed != FALSE;
}

bool HookThread::Bind(const std::uint8_t* chords, std::size_t count)
{
    if (!m_thread)
        return false;
    m_reporter.Bind(chords, count);
    return true;
}

DWORD WINAPI HookThread::ThreadMain(void* self) { return static_cast<HookThread*>(self)->Run(); }

DWORD HookThread::Run()
{
    // The queue must exist before Stop can post the quit message to it.
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    g_reporter = &m_reporter;
    HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &HookThread::OnLowLevelKey, m_module, 0);
    m_hooked = hook != nullptr;
    ::SetEvent(m_started.get());
    BOOL removed = FALSE;
    if (hook) {
        // The system calls the hook from inside GetMessage.
        while (::GetMessageW(&message, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&message);
        removed = ::UnhookWindowsHookEx(hook);
    }
    g_reporter = nullptr;
    return static_cast<DWORD>(removed);
}

LRESULT CALLBACK HookThread::OnLowLevelKey(int code, WPARAM event, LPARAM data)
{
    if (code == HC_ACTION && g_reporter &&
        g_reporter->OnKey(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(data), event == WM_KEYDOWN || event == WM_SYSKEYDOWN))
        return kSwallowEvent;
    return ::CallNextHookEx(nullptr, code, event, data);
}
