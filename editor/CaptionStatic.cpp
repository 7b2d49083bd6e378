#include "editor/CaptionStatic.h"
#include "editor/TimesFont.h"

namespace {
constexpr LONG kStaticTypeMask = 0xFF;
}

void CCaptionStatic::Attach(HWND control)
{
    Subclass(control);
    if (!IsTextCaption() || m_font)
        return;
    const LOGFONTW font = TimesFontOf(hwnd());
    m_font.reset(::CreateFontIndirectW(&font));
    // The control's own font, not one selected at colour time: a static selects its
    // font after asking for the colours, which would undo ours.
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
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

// Static styles up to SS_RIGHT draw text.
bool CCaptionStatic::IsTextCaption() const
{
    return (::GetWindowLongW(hwnd(), GWL_STYLE) & kStaticTypeMask) <= SS_RIGHT;
}
