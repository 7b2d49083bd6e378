#include "keyhook/HookThread.h"

namespace {

// The reporter of the hook thread that is running. At most one runs at a time, and
// only that thread reads it: the system calls the hook on the thread that set it.
KeyReporter* g_reporter = nullptr;

} // namespace

bool HookThread::Start(HMODULE module, HWND receiver, UINT message)
{
    m_module = module;
    m_reporter = KeyReporter(receiver, message);
    m_started.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
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
    ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(m_thread.get(), INFINITE);
    DWORD removed = FALSE;
    ::GetExitCodeThread(m_thread.get(), &removed);
    m_thread.reset();
    return removed != FALSE;
}

DWORD WINAPI HookThread::ThreadMain(void* self) { return static_cast<HookThread*>(self)->Run(); }

DWORD HookThread::Run()
{
    // The queue must exist before Stop can post the quit message to it.
    MSG message;
    ::PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    g_reporter = &m_reporter;
    HHOOK hook = ::SetWindowsHookExA(WH_KEYBOARD_LL, &HookThread::OnLowLevelKey, m_module, 0);
    m_hooked = hook != nullptr;
    ::SetEvent(m_started.get());
    BOOL removed = FALSE;
    if (hook) {
        // The system calls the hook from inside GetMessage.
        while (::GetMessageA(&message, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&message);
        removed = ::UnhookWindowsHookEx(hook);
    }
    g_reporter = nullptr;
    return static_cast<DWORD>(removed);
}

LRESULT CALLBACK HookThread::OnLowLevelKey(int code, WPARAM event, LPARAM data)
{
    if (code == HC_ACTION && g_reporter)
        g_reporter->OnKey(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(data), event == WM_KEYDOWN || event == WM_SYSKEYDOWN);
    return ::CallNextHookEx(nullptr, code, event, data);
}
