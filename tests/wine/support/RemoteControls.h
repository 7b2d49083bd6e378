#pragma once
#include <windows.h>
#include <ostream>
#include <string>
#include <vector>

// Reading the controls of another process, every text in its wide form and handed
// over as UTF-8. Combo boxes answer across processes; a list view needs its buffers
// inside the owning process.
namespace wt {

struct ListRow {
    std::string key;
    std::string payload;
};
inline bool operator==(const ListRow& a, const ListRow& b) { return a.key == b.key && a.payload == b.payload; }
inline void PrintTo(const ListRow& row, std::ostream* out) { *out << row.key << " = \"" << row.payload << '"'; }

// The shortcut list's columns: the key, the kind and the shortcut as the list shows it
// (a text's line breaks as pilcrows).
constexpr int kKeyColumn = 0;
constexpr int kKindColumn = 1;
constexpr int kShortcutColumn = 2;
// How a line break of a text shows in the list: a pilcrow, in UTF-8.
constexpr char kShownLineBreak[] = "\xC2\xB6";
// Each row's key and shortcut.
std::vector<ListRow> ListRows(HWND listView);
std::vector<std::string> ListColumn(HWND listView, int column);
int SelectedListRow(HWND listView);
// The row's bounds in screen coordinates: where a click selects it.
RECT ListRowScreenRect(HWND listView, int row);
// Where the row's text of that column is drawn, in screen coordinates.
RECT ListCellScreenRect(HWND listView, int row, int column);
// The headings of the list's columns, as its header shows them.
std::vector<std::string> ListHeadings(HWND listView);
// The widths of the list's columns, in pixels.
std::vector<int> ListColumnWidths(HWND listView);
std::vector<std::string> ComboEntries(HWND combo);
std::string ComboSelection(HWND combo);
// Selects the entry as a user would see it selected (without the notification the
// drop-down would send); false when the combo does not offer it.
[[nodiscard]] bool SelectComboEntry(HWND combo, const std::string& entry);
// The control that has the keyboard focus on the window's thread, or nullptr.
HWND FocusedControl(HWND window);
// The dialog's controls that a user can operate now (shown and enabled; of a kind's
// radio buttons the checked one only, where Tab enters the choice), in the order one
// reads them on the screen: top to bottom, and left to right within a row. Controls
// whose vertical middles lie within each other's extents make one row.
std::vector<HWND> ControlsInReadingOrder(HWND dialog);

// A caption, or the text of a static: what the window itself keeps.
std::string WindowText(HWND window);
// A control's content, asked by message: GetWindowText does not ask another
// process's controls, whose text (an edit box's, for one) the window does not keep.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);

}  // namespace wt
