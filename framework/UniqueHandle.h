#pragma once
#include <windows.h>
#include <utility>

// Owns a handle and frees it with Close(handle) when it goes out of scope.
// Move-only: a handle has exactly one owner.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept { reset(other.detach()); return *this; }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Invalid; }
    Handle detach() { return std::exchange(m_handle, Invalid); }
    void reset(Handle handle = Invalid)
    {
        if (m_handle != Invalid)
            Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Invalid;
};

inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void FreeGlobal(HGLOBAL h) { ::GlobalFree(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }

using KernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using MenuHandle = UniqueHandle<HMENU, DestroyMenuHandle>;
using GlobalMemory = UniqueHandle<HGLOBAL, FreeGlobal>;
using Icon = UniqueHandle<HICON, DestroyIconHandle>;
// CreateFile reports failure as INVALID_HANDLE_VALUE rather than null.
struct FileHandle : KernelHandle {
    explicit FileHandle(HANDLE h) : KernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};

template <typename T>
using GdiObject = UniqueHandle<T, DeleteGdiObject>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;
