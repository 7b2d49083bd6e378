#include "print/PrinterText.h"
#include "framework/DeviceContext.h"
#include "framework/WideText.h"

namespace {

const wchar_t kTypeface[] = L"Times New Roman";

// Key names and payloads are printed as the list shows them: an "&" in a path or
// URL is a character, not the mark of an underlined letter.
const UINT kLineFlags = DT_NOPREFIX;
const UINT kCellFlags = DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;
// A row cut off at the page's end must stay inside its rectangle.
const UINT kClippedCellFlags = DT_WORDBREAK | DT_NOPREFIX;

Font CreatePrintFont(PrintFont font, int dpi)
{
    const PrintFontStyle style = FontStyleFor(font, dpi);
    // Any character set: the system links in a font for the characters Times New Roman lacks.
    return Font(::CreateFontW(style.height, 0, 0, 0, style.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, kTypeface));
}

RECT ToRect(const PrintRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

} // namespace

PrinterText::PrinterText(HDC printer)
    : m_dc(printer),
      m_dpi(::GetDeviceCaps(printer, LOGPIXELSY)),
      m_title(CreatePrintFont(PrintFont::Title, m_dpi)),
      m_key(CreatePrintFont(PrintFont::Key, m_dpi)),
      m_content(CreatePrintFont(PrintFont::Content, m_dpi))
{
}

PrintSize PrinterText::Measure(const std::string& text, PrintFont font, int width) const
{
    SelectedObject selected(m_dc, FontFor(font));
    RECT rect{0, 0, width, 0};
    const UINT flags = width == 0 ? kLineFlags : kCellFlags;
    const std::wstring wide = Wide(text);
    ::DrawTextW(m_dc, wide.c_str(), static_cast<int>(wide.size()), &rect, flags | DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void PrinterText::Draw(const PrintDrawOp& op) const
{
    SelectedObject selected(m_dc, FontFor(op.font));
    RECT rect = ToRect(op.rect);
    UINT flags = kLineFlags;
    if (op.wordBreak)
        flags = op.clip ? kClippedCellFlags : kCellFlags;
    const std::wstring wide = Wide(op.text);
    ::DrawTextW(m_dc, wide.c_str(), static_cast<int>(wide.size()), &rect, flags);
}

HFONT PrinterText::FontFor(PrintFont font) const
{
    switch (font) {
    case PrintFont::Title:
        return m_title.get();
    case PrintFont::Key:
        return m_key.get();
    case PrintFont::Content:
        break;
    }
    return m_content.get();
}
