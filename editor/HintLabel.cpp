#include "editor/HintLabel.h"
#include "framework/DeviceContext.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowText.h"

CHintLabel::~CHintLabel() { Destroy(); }

void CHintLabel::Destroy()
{
    if (Exists())
        ::DestroyWindow(hwnd());
}

bool CHintLabel::Create(HWND box, const RECT& area, const LOGFONTW& font, COLORREF colour)
{
    HWND label = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, area.left, area.top,
                                   area.right - area.left, area.bottom - area.top, box, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (!label)
        return false;
    if (!Subclass(label)) {
        ::DestroyWindow(label);
        return false;
    }
    m_lf = font;
    m_crText = colour;
    return true;
}

std::optional<LRESULT> CHintLabel::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (message != WM_PAINT)
        return std::nullopt;
    OnPaint();
    return 0;
}

void CHintLabel::OnPaint()
{
    PaintDC dc(hwnd());
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), m_crText);
    Font font(::CreateFontIndirectW(&m_lf));
    SelectedObject selected(dc.get(), font.get());
    std::wstring text = Wide(WindowText(hwnd()));
    ::DrawTextExW(dc.get(), text.data(), static_cast<int>(text.size()), &client, DT_LEFT | DT_TOP | DT_NOPREFIX, nullptr);
}
