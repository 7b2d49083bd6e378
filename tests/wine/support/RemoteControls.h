#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Reading the controls of another process. Combo boxes answer across processes;
// a list view needs its buffers inside the owning process.
namespace wt {

struct ListRow {
    std::string key;
    std::string payload;
};

std::vector<ListRow> ListRows(HWND listView);
int SelectedListRow(HWND listView);
// The row's bounds in screen coordinates: where a click selects it.
RECT ListRowScreenRect(HWND listView, int row);
std::vector<std::string> ComboEntries(HWND combo);
std::string ComboSelection(HWND combo);
std::string WindowText(HWND window);

}  // namespace wt
