#pragma once
#include <windows.h>
#include <utility>

// Device contexts that release themselves, and a scoped selection that puts the
// previous object back on every path out of a function.

class PaintDC {
public:
    explicit PaintDC(HWND window) : m_window(window) { m_dc = ::BeginPaint(window, &m_paint); }
    ~PaintDC() { ::EndPaint(m_window, &m_paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// GetDC/ReleaseDC pair; a null window gives the screen's context.
class ClientDC {
public:
    explicit ClientDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~ClientDC() { if (m_dc) ::ReleaseDC(m_window, m_dc); }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// A context the program created (CreateCompatibleDC, CreateDC): DeleteDC frees it.
class OwnedDC {
public:
    OwnedDC() = default;
    explicit OwnedDC(HDC dc) : m_dc(dc) {}
    OwnedDC(OwnedDC&& other) noexcept : m_dc(std::exchange(other.m_dc, nullptr)) {}
    OwnedDC& operator=(OwnedDC&& other) noexcept { reset(std::exchange(other.m_dc, nullptr)); return *this; }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    ~OwnedDC() { reset(); }
    void reset(HDC dc = nullptr) { if (m_dc) ::DeleteDC(m_dc); m_dc = dc; }
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

    static OwnedDC CompatibleWith(HDC dc) { return OwnedDC(::CreateCompatibleDC(dc)); }
    static OwnedDC Display() { return OwnedDC(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)); }

private:
    HDC m_dc = nullptr;
};

class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~SelectedObject() { if (m_previous) ::SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
