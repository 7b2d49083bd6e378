#include "print/Printout.h"
#include "framework/DeviceContext.h"
#include "framework/UniqueHandle.h"
#include "print/PrinterText.h"
#include <commdlg.h>
#include <utility>

namespace {

const wchar_t kDocumentName[] = L"Tarnwick";
const int kPageLimit = 65535;

// The user picks the printer and the number of copies, nothing else: the sheet has
// no page ranges and no selection. The dialog has no owner; each press of Print is a
// job of its own, so a second dialog opened meanwhile shares nothing with the first.
OwnedDC ChoosePrinter()
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.Flags = PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES |
                   PD_RETURNDC;
    ::PrintDlgW(&dialog);
    // The printer's settings come back with the context; the context already holds them.
    GlobalMemory devMode(dialog.hDevMode);
    GlobalMemory devNames(dialog.hDevNames);
    return OwnedDC(dialog.hDC);
}

} // namespace

Printout::Printout(std::function<std::vector<PrintRow>()> readRows) : m_readRows(std::move(readRows)) {}

void Printout::PrintShortcuts()
{
    OwnedDC printer = ChoosePrinter();
    if (!printer)
        return;   // cancelled
    const HDC dc = printer.get();

    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = kDocumentName;
    bool good = ::StartDocW(dc, &document) > 0;

    // The whole printable area: the sheet has no margins of its own.
    PageInfo info{{0, 0, ::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES)}};
    m_nPrintRow = 0;
    for (int page = 1; good && info.morePages && page < kPageLimit; ++page) {
        ::StartPage(dc);
        info.page = page;
        PrintPage(dc, info);
        good = ::EndPage(dc) > 0;
    }
    if (good)
        ::EndDoc(dc);
    else
        ::AbortDoc(dc);
}

void Printout::PrintPage(HDC printer, PageInfo& info)
{
    // Fonts are made for each page: some drivers reset the context's objects at
    // StartPage.
    const PrinterText text(printer);
    const PrintPageLayout layout = LayoutPrintPage(m_readRows(), info.drawing, text.Dpi(), info.page, m_nPrintRow, text);
    for (const PrintDrawOp& op : layout.ops)
        text.Draw(op);
    m_nPrintRow = layout.nextRow;
    info.morePages = layout.morePages;
}
