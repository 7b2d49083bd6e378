#include "actions/CaptureWnd.h"
#include "actions/NotifyDlg.h"
#include "framework/ClipboardHandOff.h"
#include <windowsx.h>

namespace {

constexpr char kCapturedText[] = "Image has been loaded into clipboard.";

CapturePoint PointFrom(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

bool CCaptureWnd::CreateCaptureWindow(const char* title, HWND owner)
{
    m_cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    m_cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, ::LoadCursor(nullptr, IDC_CROSS), title,
                  WS_POPUP, 0, 0, m_cxScreen, m_cyScreen, nullptr))
        return false;
    m_pOwner = owner;
    m_pPen.reset(::CreatePen(PS_SOLID, 1, m_crPen));
    return TakeSnapshot();
}

bool CCaptureWnd::TakeSnapshot()
{
    // Read from the screen itself: the window is still hidden, and a hidden window's
    // own context has nothing to read where the desktop is composited.
    ClientDC screen(nullptr);
    m_dcSnapshot = OwnedDC::CompatibleWith(screen.get());
    m_bmpSnapshot.reset(::CreateCompatibleBitmap(screen.get(), m_cxScreen, m_cyScreen));
    if (!m_dcSnapshot || !m_bmpSnapshot)
        return false;
    // Stays selected for the window's life; the declaration order of the members
    // frees the context before the bitmap.
    ::SelectObject(m_dcSnapshot.get(), m_bmpSnapshot.get());
    return ::BitBlt(m_dcSnapshot.get(), 0, 0, m_cxScreen, m_cyScreen, screen.get(), 0, 0, SRCCOPY) != FALSE;
}

std::optional<LRESULT> CCaptureWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(PointFrom(lParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(PointFrom(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(PointFrom(lParam));
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp();
        break;
    case WM_KILLFOCUS:
        OnKillFocus();
        break;
    case WM_ACTIVATEAPP:
        OnActivateApp(wParam != FALSE);
        break;
    }
    return std::nullopt;
}

// The window shows the snapshot, so the screen looks frozen while the user selects;
// a system that keeps no copy of what was under the window would show nothing here.
void CCaptureWnd::OnPaint()
{
    PaintDC paint(hwnd());
    ::BitBlt(paint.get(), 0, 0, m_cxScreen, m_cyScreen, m_dcSnapshot.get(), 0, 0, SRCCOPY);
    if (m_bDragging)
        DrawOutline(paint.get(), m_ptCurrent);
}

void CCaptureWnd::OnLButtonDown(CapturePoint point)
{
    m_ptAnchor = m_ptCurrent = point;
    m_bDragging = true;
}

void CCaptureWnd::OnMouseMove(CapturePoint point)
{
    if (!m_bDragging)
        return;
    ClientDC dc(hwnd());
    DrawOutline(dc.get(), m_ptCurrent);
    DrawOutline(dc.get(), point);
    m_ptCurrent = point;
}

void CCaptureWnd::OnLButtonUp(CapturePoint point)
{
    // A button released without a press in this window (the press that showed the
    // window, or one before) selects nothing.
    if (!m_bDragging)
        return;
    m_bDragging = false;
    m_ptCurrent = point;
    const bool copied = CopySelectionToClipboard();
    ::ShowWindow(hwnd(), SW_HIDE);
    // The popup's message loop may run the capture key again, which deletes this
    // window: nothing may touch the object once the popup has been shown.
    if (copied)
        ShowNotification(kCapturedText);
}

void CCaptureWnd::OnRButtonUp()
{
    m_dcSnapshot.reset();
    m_bmpSnapshot.reset();
    Abandon();
}

void CCaptureWnd::OnKillFocus() { Abandon(); }

void CCaptureWnd::OnActivateApp(bool active)
{
    if (!active)
        Abandon();
}

void CCaptureWnd::Abandon()
{
    m_bDragging = false;
    ::ShowWindow(hwnd(), SW_HIDE);
}

// Inverting the pixels makes the outline visible on any picture, and drawing the
// same outline again restores what was there.
void CCaptureWnd::DrawOutline(HDC dc, CapturePoint corner) const
{
    SelectedObject pen(dc, m_pPen.get());
    SelectedObject brush(dc, ::GetStockObject(NULL_BRUSH));
    const int previousMode = ::SetROP2(dc, R2_NOT);
    ::Rectangle(dc, m_ptAnchor.x, m_ptAnchor.y, corner.x, corner.y);
    ::SetROP2(dc, previousMode);
}

bool CCaptureWnd::CopySelectionToClipboard()
{
    // A right click has already let the snapshot go.
    if (!m_dcSnapshot)
        return false;
    const CaptureArea area = CaptureRectangle(m_ptAnchor, m_ptCurrent, m_cxScreen, m_cyScreen);
    if (area.width == 0 || area.height == 0)
        return false;

    // Compatible with the snapshot's context, the copy has the display's format.
    OwnedDC copyDC = OwnedDC::CompatibleWith(m_dcSnapshot.get());
    Bitmap selection(::CreateCompatibleBitmap(m_dcSnapshot.get(), area.width, area.height));
    if (!copyDC || !selection)
        return false;
    {
        SelectedObject target(copyDC.get(), selection.get());
        ::BitBlt(copyDC.get(), 0, 0, area.width, area.height, m_dcSnapshot.get(), area.left, area.top, SRCCOPY);
    }

    if (GiveToClipboard(hwnd(), CF_BITMAP, selection.get()) != ClipboardHandOff::Taken)
        return false;
    selection.detach();
    return true;
}
