#pragma once
#include <windows.h>

// An open clipboard, closed again when the object goes out of scope.
class Clipboard {
public:
    explicit Clipboard(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~Clipboard() { if (m_open) ::CloseClipboard(); }
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    bool IsOpen() const { return m_open; }
    bool Empty() { return ::EmptyClipboard() != FALSE; }
    // True when the clipboard took the data; it then owns it.
    bool Set(UINT format, HANDLE data) { return ::SetClipboardData(format, data) != nullptr; }
    HANDLE Get(UINT format) const { return ::GetClipboardData(format); }

private:
    bool m_open;
};
