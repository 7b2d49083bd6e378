#pragma once
#include "framework/UniqueHandle.h"
#include "print/PrintLayout.h"
#include <windows.h>

// The three fonts of one printed page and the DrawText calls that measure and draw
// with them on the printer's device context. Fonts are made for the context's
// vertical resolution, so a page is laid out in the printer's own device units.
class PrinterText : public TextMeasurer {
public:
    explicit PrinterText(HDC printer);

    int Dpi() const { return m_dpi; }
    PrintSize Measure(const std::string& text, PrintFont font, int width) const override;
    void Draw(const PrintDrawOp& op) const;

private:
    HFONT FontFor(PrintFont font) const;

    HDC m_dc;
    int m_dpi;
    Font m_title;
    Font m_key;
    Font m_content;
};
