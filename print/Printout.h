#pragma once
#include "print/PrintLayout.h"
#include <windows.h>
#include <cstddef>
#include <functional>
#include <vector>

// Prints the shortcut list, as it shows, as a reference sheet of all hot keys on the
// printer that the user picks. One object serves one press of the Print button.
class Printout {
public:
    // `readRows` gives the list's rows as they are when the pages are laid out.
    explicit Printout(std::function<std::vector<PrintRow>()> readRows);
    void PrintShortcuts();

private:
    struct PageInfo {
        PrintRect drawing;
        int page = 1;
        bool morePages = true;
    };

    void PrintPage(HDC printer, PageInfo& info);
    std::function<std::vector<PrintRow>()> m_readRows;
    // The first list row that has not been printed yet: it carries the position from
    // one page to the next.
    std::size_t m_nPrintRow = 0;
};
