#pragma once
#include <windows.h>

// An open clipboard, closed again when the object goes out of scope.
//
// Clipboard managers and remote-desktop clients hold the clipboard open for a few
// milliseconds at a time, and then one attempt fails for a shortcut that would have
// worked a moment later. So the opening is tried again for a while before it counts as
// failed. The calling thread waits meanwhile without serving its messages; no key waits
// for it, as the keyboard hook runs on a thread of its own.
class Clipboard {
public:
    explicit Clipboard(HWND owner) : m_open(Open(owner)) {}
    ~Clipboard() { if (m_open) ::CloseClipboard(); }
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    bool IsOpen() const { return m_open; }
    bool Empty() { return ::EmptyClipboard() != FALSE; }
    // True when the clipboard took the data; it then owns it.
    bool Set(UINT format, HANDLE data) { return ::SetClipboardData(format, data) != nullptr; }
    HANDLE Get(UINT format) const { return ::GetClipboardData(format); }

private:
    static constexpr DWORD kOpenPatienceMs = 500;
    static constexpr DWORD kOpenRetryMs = 20;

    static bool Open(HWND owner)
    {
        const DWORD start = ::GetTickCount();
        while (!::OpenClipboard(owner)) {
            if (::GetTickCount() - start >= kOpenPatienceMs)
                return false;
            ::Sleep(kOpenRetryMs);
        }
        return true;
    }

    bool m_open;
};
