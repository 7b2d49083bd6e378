#include "editor/HintEdit.h"
#include "editor/TimesFont.h"
#include "framework/WindowText.h"

namespace {
const COLORREF kHintColour = RGB(0, 134, 0);
// The hint starts this far right of the last character's left edge.
constexpr int kHintGap = 5;
}

CHintEdit::~CHintEdit() = default;

void CHintEdit::Attach(HWND edit) { Subclass(edit); }

void CHintEdit::SetHintText(const std::string& hint)
{
    if (!EnsureHintLabel())
        return;
    SetWindowTextUtf8(m_wndHint.hwnd(), hint);

    // The box counts its characters in UTF-16 units.
    const int length = ::GetWindowTextLengthW(hwnd());
    const WPARAM lastChar = length == 0 ? 0 : static_cast<WPARAM>(length - 1);
    // An empty box answers -1, which puts the hint 4 pixels from the left edge.
    const int x = static_cast<short>(LOWORD(::SendMessageW(hwnd(), EM_POSFROMCHAR, lastChar, 0)));

    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(m_wndHint.hwnd(), &placement);
    placement.rcNormalPosition.left = x + kHintGap;
    ::SetWindowPlacement(m_wndHint.hwnd(), &placement);
}

void CHintEdit::ShowHint(bool show)
{
    if (m_wndHint.Exists())
        ::ShowWindow(m_wndHint.hwnd(), show ? SW_SHOWNORMAL : SW_HIDE);
}

bool CHintEdit::IsHintVisible() const { return m_wndHint.Exists() && ::IsWindowVisible(m_wndHint.hwnd()); }

std::optional<LRESULT> CHintEdit::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (message == WM_DPICHANGED_AFTERPARENT) {
        OnDpiChanged();
        return std::nullopt;
    }
    // The user is writing in the box: the hint gives way, and the key or click still
    // does what it always does.
    if ((message == WM_KEYDOWN || message == WM_LBUTTONDOWN) && IsHintVisible())
        ShowHint(false);
    return std::nullopt;
}

void CHintEdit::OnDpiChanged()
{
    if (!m_wndHint.Exists())
        return;
    const std::string hint = WindowText(m_wndHint.hwnd());
    const bool shown = IsHintVisible();
    m_wndHint.Destroy();
    SetHintText(hint);
    ShowHint(shown);
}

bool CHintEdit::EnsureHintLabel()
{
    if (m_wndHint.Exists())
        return true;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    LOGFONTW font = TimesFontOf(hwnd());
    font.lfItalic = TRUE;
    return m_wndHint.Create(hwnd(), client, font, kHintColour);
}
