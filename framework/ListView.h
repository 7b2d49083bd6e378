#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

// A non-owning view of a report-style list view control that keeps no rows of its own
// (LVS_OWNERDATA): its owner holds them, tells it how many there are and answers its
// requests for their texts (LVN_GETDISPINFO), so that a list of any length is shown
// at once.
class ListView {
public:
    ListView() = default;
    explicit ListView(HWND control) : m_hwnd(control) {}
    HWND hwnd() const { return m_hwnd; }

    void InsertColumn(int index, const wchar_t* heading, int width)
    {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = const_cast<wchar_t*>(heading);
        column.iSubItem = index;
        Send(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    }
    void SetExtendedStyle(DWORD style) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void SetColumnWidth(int index, int width) { Send(LVM_SETCOLUMNWIDTH, index, MAKELPARAM(width, 0)); }
    // The last column reaches the list's right edge.
    void FillWithLastColumn()
    {
        const int columns = static_cast<int>(::SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0));
        if (columns > 0)
            Send(LVM_SETCOLUMNWIDTH, columns - 1, LVSCW_AUTOSIZE_USEHEADER);
    }
    HWND Header() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER, 0, 0)); }
    // The rows are drawn anew from their owner.
    void SetCount(size_t count) { Send(LVM_SETITEMCOUNT, count, 0); }
    void RedrawRow(int row) { Send(LVM_REDRAWITEMS, row, row); }
    int SelectedRow() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    void Deselect(int row) { SetState(row, LVIS_SELECTED, 0); }
    // No row selected and none with the focus.
    void DeselectAll() { SetState(-1, LVIS_SELECTED | LVIS_FOCUSED, 0); }

private:
    void SetState(int row, UINT mask, UINT state)
    {
        LVITEMW item{};
        item.stateMask = mask;
        item.state = state;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendMessageW(m_hwnd, message, wParam, lParam); }
    HWND m_hwnd = nullptr;
};
