#include "editor/CaptionStatic.h"
#include "editor/TimesFont.h"

namespace {
constexpr LONG kStaticTypeMask = 0xFF;
}

void CCaptionStatic::Attach(HWND control)
{
    m_hwnd = control;
    if (!IsTextCaption() || m_font)
        return;
    const LOGFONTA font = TimesFontOf(m_hwnd);
    m_font.reset(::CreateFontIndirectA(&font));
    // The control's own font, not one selected at colour time: a static selects its
    // font after asking for the colours, which would undo ours.
    ::SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
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
    return (::GetWindowLongA(m_hwnd, GWL_STYLE) & kStaticTypeMask) <= SS_RIGHT;
}
