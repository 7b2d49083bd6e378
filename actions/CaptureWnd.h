#pragma once
#include "actions/CaptureRect.h"
#include "framework/DeviceContext.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"
#include <windows.h>

class CNotifyDlg;

// The selective screen capture: a hidden, topmost window over the virtual screen (all
// monitors) that holds a snapshot of it taken when it was created. Once shown, the
// user drags a rectangle with the left button and that part of the snapshot goes to
// the clipboard; a right click, Escape or losing the focus abandons the capture. It
// takes the keyboard while it is up, for Escape, and gives it back to the window that
// was in front when it ends. Owns the snapshot (bitmap and memory context) and the
// outline pen; confirms a copy in the dispatcher's popup.
class CCaptureWnd : public Window {
public:
    static constexpr wchar_t kClassName[] = L"TarnwickCapture";

    CCaptureWnd(CNotifyDlg& popup, HWND inFront);
    ~CCaptureWnd() override;

    // Takes the snapshot and creates the window, hidden: showing it is the caller's step.
    bool CreateCaptureWindow(const wchar_t* title, HWND owner);
    // True when the selection was handed to the clipboard, which then owns the bitmap.
    bool CopySelectionToClipboard();

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool TakeSnapshot();
    void OnPaint();
    void OnLButtonDown(CapturePoint point);
    void OnMouseMove(CapturePoint point);
    void OnLButtonUp(CapturePoint point);
    void OnRButtonUp();
    void OnKeyDown(WPARAM key);
    void OnKillFocus();
    void OnActivateApp(bool active);
    void Cancel();
    void Abandon();
    void Finish();
    CapturePoint OnScreen(CapturePoint client) const;
    void DrawOutline(HDC dc, CapturePoint corner) const;

    // The bitmap is declared first so that it outlives the context it is selected into.
    Bitmap m_bmpSnapshot;
    OwnedDC m_dcSnapshot;
    COLORREF m_crPen = RGB(0, 0, 0);
    CapturePoint m_ptAnchor;
    CapturePoint m_ptCurrent;
    Pen m_pPen;
    // Where the snapshot lies in screen coordinates; the window covers exactly this.
    VirtualScreen m_rcScreen;
    HWND m_pOwner = nullptr;
    CNotifyDlg& m_popup;
    HWND m_inFront;
    bool m_bDragging = false;
};
