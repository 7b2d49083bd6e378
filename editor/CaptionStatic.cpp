#include "editor/CaptionStatic.h"
#include "editor/TimesFont.h"

namespace {
constexpr LONG kStaticTypeMask = SS_TYPEMASK;
}

void CCaptionStatic::Attach(HWND control)
{
    Subclass(control);
    if (IsTextCaption() && !m_font)
        ApplyFont();
}

void CCaptionStatic::ApplyFont()
{
    const LOGFONTW font = TimesFontOf(hwnd());
    Font next(::CreateFontIndirectW(&font));
    // The control's own font, not one selected at colour time: a static selects its
    // font after asking for the colours, which would undo ours. The old one goes once
    // the control holds the new one.
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(next.get()), TRUE);
    m_font = std::move(next);
}

std::optional<LRESULT> CCaptionStatic::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (message == WM_DPICHANGED_AFTERPARENT && m_font)
        ApplyFont();
    return std::nullopt;
}

std::optional<LRESULT> CCaptionStatic::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_CTLCOLORSTATIC)
        return std::nullopt;
    return OnCtlColor(reinterpret_cast<HDC>(wParam));
}

std::optional<LRESULT> CCaptionStatic::OnCtlColor(HDC dc)
{
    if (!IsTextCaption())
        return std::nullopt;
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

// The static types that draw text.
bool CCaptionStatic::IsTextCaption() const
{
    const LONG type = ::GetWindowLongW(hwnd(), GWL_STYLE) & kStaticTypeMask;
    return type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP;
}
