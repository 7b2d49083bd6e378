#pragma once
#include "framework/UniqueHandle.h"
#include "keyhook/KeyReporter.h"
#include <windows.h>
#include <cstddef>
#include <cstdint>

// The low-level keyboard hook on a thread of its own. The system calls such a hook on
// the thread that installed it, and every key on the desktop waits for that call: a
// program's own thread is often busy (a send to a hung window, a slow shell open, a
// print job), and after a time-out the system skips the hook or removes it for good.
// This thread only serves the hook and posts its reports; it never waits for the
// receiver.
//
// The destructor does not stop the thread: the library's one object is destroyed from
// DllMain, where a thread can never end. A program that ends without Stop loses the
// thread with the process.
class HookThread {
public:
    HookThread() = default;
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;

    // Starts the thread with every key up and nothing bound, and returns once the hook
    // is in place: true, or false when the system refused it (the thread has then
    // ended). Only while stopped.
    bool Start(HMODULE module, HWND receiver, UINT message);
    // Removes the hook and waits for the thread to end; true when the hook is gone or
    // was never there. Never from DllMain.
    bool Stop();
    // Replaces the chords kept from the program in front (see KeyFilter::Bind); false,
    // and nothing bound, while stopped. From the thread that starts and stops.
    bool Bind(const std::uint8_t* chords, std::size_t count);

private:
    static DWORD WINAPI ThreadMain(void* self);
    static LRESULT CALLBACK OnLowLevelKey(int code, WPARAM event, LPARAM data);
    DWORD Run();

    HMODULE m_module = nullptr;
    KeyReporter m_reporter;
    KernelHandle m_started;   // set by the thread once it has tried to hook
    KernelHandle m_thread;
    DWORD m_threadId = 0;
    bool m_hooked = false;    // written by the thread before m_started is set
};
