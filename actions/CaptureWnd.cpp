#include "actions/CaptureWnd.h"
#include "actions/NotifyDlg.h"
#include "framework/ClipboardHandOff.h"
#include "framework/Foreground.h"
#include "res/MessageTexts.h"
#include <windowsx.h>

namespace {


CapturePoint PointFrom(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

CCaptureWnd::CCaptureWnd(CNotifyDlg& popup, HWND inFront) : m_popup(popup), m_inFront(inFront) {}

// Destroyed here rather than by the base: the window's last messages (focus lost,
// destruction) must reach this object while it is still whole.
CCaptureWnd::~CCaptureWnd() { Destroy(); }

bool CCaptureWnd::CreateCaptureWindow(const wchar_t* title, HWND owner)
{
    m_rcScreen = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                  ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, ::LoadCursorW(nullptr, IDC_CROSS), title, WS_POPUP,
                  m_rcScreen.left, m_rcScreen.top, m_rcScreen.width, m_rcScreen.height, nullptr))
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
    m_bmpSnapshot.reset(::CreateCompatibleBitmap(screen.get(), m_rcScreen.width, m_rcScreen.height));
    if (!m_dcSnapshot || !m_bmpSnapshot)
        return false;
    // Stays selected for the window's life; the declaration order of the members
    // frees the context before the bitmap.
    ::SelectObject(m_dcSnapshot.get(), m_bmpSnapshot.get());
    return ::BitBlt(m_dcSnapshot.get(), 0, 0, m_rcScreen.width, m_rcScreen.height, screen.get(), m_rcScreen.left,
                    m_rcScreen.top, SRCCOPY) != FALSE;
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
    case WM_KEYDOWN:
        OnKeyDown(wParam);
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
    ::BitBlt(paint.get(), 0, 0, m_rcScreen.width, m_rcScreen.height, m_dcSnapshot.get(), 0, 0, SRCCOPY);
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
    Finish();
    if (copied)
        m_popup.Show(kCaptureLoaded);
}

void CCaptureWnd::OnRButtonUp() { Cancel(); }

void CCaptureWnd::OnKeyDown(WPARAM key)
{
    if (key == VK_ESCAPE)
        Cancel();
}

// The user said no: nothing of this capture will be copied, so the snapshot goes too.
void CCaptureWnd::Cancel()
{
    m_dcSnapshot.reset();
    m_bmpSnapshot.reset();
    Finish();
}

void CCaptureWnd::OnKillFocus() { Abandon(); }

void CCaptureWnd::OnActivateApp(bool active)
{
    if (!active)
        Abandon();
}

// Another window took the keyboard from the capture. When that is another program's,
// the user went there; otherwise the keyboard goes back to where they were.
void CCaptureWnd::Abandon()
{
    m_bDragging = false;
    if (!::IsWindowVisible(hwnd()))
        return;
    ::ShowWindow(hwnd(), SW_HIDE);
    if (!ForegroundOfOtherProgram())
        GiveForegroundBack(m_inFront);
}

// The capture took the keyboard only so that Escape would reach it.
void CCaptureWnd::Finish()
{
    m_bDragging = false;
    if (!::IsWindowVisible(hwnd()))
        return;
    ::ShowWindow(hwnd(), SW_HIDE);
    GiveForegroundBack(m_inFront);
}

// The client area starts at the virtual screen's origin, which lies left of or above
// the primary monitor's when another monitor is there.
CapturePoint CCaptureWnd::OnScreen(CapturePoint client) const
{
    return {client.x + m_rcScreen.left, client.y + m_rcScreen.top};
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
    // A right click or Escape has already let the snapshot go.
    if (!m_dcSnapshot)
        return false;
    const CaptureArea area = CaptureRectangle(OnScreen(m_ptAnchor), OnScreen(m_ptCurrent), m_rcScreen);
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
