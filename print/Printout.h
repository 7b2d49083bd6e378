#pragma once
#include "framework/ListView.h"
#include "print/PrintLayout.h"
#include <windows.h>
#include <cstddef>
#include <vector>

// Prints the shortcut list, as it shows, as a reference sheet of all hot keys on the
// printer that the user picks. One object serves one press of the Print button.
class Printout {
public:
    explicit Printout(const ListView& rows);
    void PrintShortcuts();

private:
    struct PageInfo {
        PrintRect drawing;
        int page = 1;
        bool morePages = true;
    };

    void PrintPage(HDC printer, PageInfo& info);
    std::vector<PrintRow> ReadRows() const;

    const ListView& m_rows;
    // The first list row that has not been printed yet: it carries the position from
    // one page to the next.
    std::size_t m_nPrintRow = 0;
};
