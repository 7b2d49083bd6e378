#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

// A non-owning view of a report-style list view control.
class ListView {
public:
    ListView() = default;
    explicit ListView(HWND control) : m_hwnd(control) {}
    HWND hwnd() const { return m_hwnd; }

    void InsertColumn(int index, const char* heading, int width)
    {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = const_cast<char*>(heading);
        column.iSubItem = index;
        Send(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0)); }
    // Returns the row's index, which a sorted list chooses by itself.
    int InsertRow(int index, const std::string& text, LPARAM param)
    {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<char*>(text.c_str());
        item.lParam = param;
        return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void SetText(int row, int column, const std::string& text)
    {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text.c_str());
        Send(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    std::string Text(int row, int column) const
    {
        // LVM_GETITEMTEXT reports only what fitted; grow until the text is whole.
        for (size_t size = 512;; size *= 2) {
            std::string text(size, '\0');
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text.data();
            item.cchTextMax = static_cast<int>(size);
            size_t length = static_cast<size_t>(Send(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
            if (length + 1 < size) {
                text.resize(length);
                return text;
            }
        }
    }
    LPARAM Param(int row) const
    {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }
    void SetParam(int row, LPARAM param)
    {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = param;
        Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    int SelectedRow() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    void Deselect(int row)
    {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void DeleteRow(int row) { Send(LVM_DELETEITEM, row, 0); }
    void Sort(PFNLVCOMPARE compare, LPARAM data) { Send(LVM_SORTITEMS, data, reinterpret_cast<LPARAM>(compare)); }

private:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendMessageA(m_hwnd, message, wParam, lParam); }
    HWND m_hwnd = nullptr;
};
