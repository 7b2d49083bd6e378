#include "editor/ShortcutList.h"
#include "editor/EditDlg.h"
#include "editor/RowText.h"
#include "framework/Dpi.h"
#include "framework/MessageBox.h"
#include "framework/WideText.h"
#include "res/MessageTexts.h"
#include "res/resource.h"
#include "store/KeyText.h"
#include <algorithm>
#include <cwchar>

namespace {
enum Column { kKeyColumn, kKindColumn, kShortcutColumn };
// At 96 dpi. The shortcut's column takes the rest of the list's width.
constexpr int kKeyColumnWidth = 40;
constexpr int kKindColumnWidth = 60;

}

ShortcutList::ShortcutList(Dialog& dialog, ShortcutModel& model) : DialogPart(dialog), m_model(model)
{
    model.AddObserver(*this);
}

void ShortcutList::Attach()
{
    m_lvShortcuts = ListView(m_dialog.Item(IDC_SHORTCUT_LIST));
    // A click anywhere on a row selects it, not only one on its key.
    m_lvShortcuts.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_lvShortcuts.InsertColumn(kKeyColumn, L"Key", 0);
    m_lvShortcuts.InsertColumn(kKindColumn, L"Kind", 0);
    m_lvShortcuts.InsertColumn(kShortcutColumn, L"Shortcut", 0);
    SizeColumns(WindowDpi(m_lvShortcuts.hwnd()));
}

// The shortcut's column ends where the list does, so that no scroll bar shows for
// width the rows do not need; a long path is cut short with an ellipsis.
void ShortcutList::SizeColumns(UINT dpi)
{
    m_lvShortcuts.SetColumnWidth(kKeyColumn, ScaleToDpi(kKeyColumnWidth, dpi));
    m_lvShortcuts.SetColumnWidth(kKindColumn, ScaleToDpi(kKindColumnWidth, dpi));
    m_lvShortcuts.FillWithLastColumn();
}

std::optional<LRESULT> ShortcutList::OnCommand(WORD id, WORD code)
{
    if (code != BN_CLICKED)
        return std::nullopt;
    // Enter in a dialog arrives as IDOK; on a row of the list it opens that row.
    if (id == IDOK && ::GetFocus() == m_lvShortcuts.hwnd() && !m_editing) {
        if (SelectedRow())
            OnEditButton();
        return 0;
    }
    switch (id) {
    case IDC_EDIT_SHORTCUT: OnEditButton(); break;
    case IDC_DELETE_SHORTCUT: OnDeleteButton(); break;
    default: return std::nullopt;
    }
    return 0;
}

std::optional<LRESULT> ShortcutList::OnNotify(const NMHDR& header)
{
    if (header.idFrom != IDC_SHORTCUT_LIST)
        return std::nullopt;
    switch (header.code) {
    case NM_CLICK:
        // The edit dialog holds a row: no other may be viewed meanwhile.
        if (!m_editing)
            OnClickShortcutList();
        return 0;
    case NM_DBLCLK:
        if (!m_editing && reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0 && SelectedRow())
            OnEditButton();
        return 0;
    case LVN_KEYDOWN:
        if (!m_editing && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            OnDeleteButton();
        return 0;
    case LVN_ITEMCHANGED:
        return 0;
    case LVN_GETDISPINFOW:
        // The request begins with the header; the answer goes into the request.
        OnGetDispInfo(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item);
        return 0;
    case LVN_ODFINDITEMW:
        return OnFindItem(reinterpret_cast<const NMLVFINDITEMW&>(header));
    }
    return std::nullopt;
}

void ShortcutList::OnModelChanged(ShortcutModel::Change change, const std::string&)
{
    using Change = ShortcutModel::Change;
    switch (change) {
    case Change::Loaded:
    case Change::Accepted:
    case Change::Replaced:
    case Change::Deleted:
        ShowRows();
        break;
    case Change::ViewEnded:
        m_lvShortcuts.DeselectAll();
        break;
    case Change::Viewed:
        break;
    }
}

void ShortcutList::OnClickShortcutList()
{
    if (const std::optional<ShortcutModel::RowId> row = SelectedRow())
        m_model.View(*row);
    else
        m_model.EndView();
}

void ShortcutList::OnEditButton()
{
    const std::optional<ShortcutModel::RowId> row = SelectedRow();
    if (!row) {
        ShowMessage(m_dialog.hwnd(), kNoSelection, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // A row reached with the arrow keys was never viewed: the form shows it now, as
    // it would after a click, and the combo offers its key.
    const ShortcutModel::Row* viewed = m_model.Viewed();
    if (!viewed || viewed->id != *row)
        m_model.View(*row);

    CEditDlg edit(m_model.OfferedKeys(), m_model.Find(*row)->shortcut);
    m_editing = true;
    const INT_PTR result = edit.RunModal(m_dialog.hwnd());
    m_editing = false;
    if (result == IDOK)
        m_model.Replace(*row, edit.Fields().Key(), edit.Fields().Kind(), edit.Fields().Payload());
}

void ShortcutList::OnDeleteButton()
{
    const std::optional<ShortcutModel::RowId> row = SelectedRow();
    if (!row) {
        ShowMessage(m_dialog.hwnd(), kNoSelection, MB_OK | MB_ICONINFORMATION);
        // The form starts afresh all the same.
        m_model.EndView();
        return;
    }
    m_model.Delete(*row);
}

void ShortcutList::OnGetDispInfo(LVITEMW& item) const
{
    const auto& rows = m_model.Rows();
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows.size() ||
        !item.pszText || item.cchTextMax <= 0)
        return;
    const Shortcut& row = rows[item.iItem].shortcut;
    const std::wstring text = Wide(ColumnText(row, item.iSubItem));
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
    std::wmemcpy(item.pszText, text.data(), length);
    item.pszText[length] = L'\0';
}

LRESULT ShortcutList::OnFindItem(const NMLVFINDITEMW& find) const
{
    constexpr LRESULT kNotFound = -1;
    const auto& rows = m_model.Rows();
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || rows.empty())
        return kNotFound;
    const std::string typed = Utf8(find.lvfi.psz);
    const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    const size_t start = find.iStart >= 0 && static_cast<size_t>(find.iStart) < rows.size() ? find.iStart : 0;
    // From the start row to the end, then from the top.
    for (size_t i = 0; i < rows.size(); ++i) {
        const size_t row = (start + i) % rows.size();
        const std::string& key = rows[row].shortcut.keyName;
        if (EqualsNoCase(partial ? key.substr(0, typed.size()) : key, typed))
            return static_cast<LRESULT>(row);
    }
    return kNotFound;
}

// Asked at the moment it is needed: a position is never kept.
std::optional<ShortcutModel::RowId> ShortcutList::SelectedRow() const
{
    const int selected = m_lvShortcuts.SelectedRow();
    const auto& rows = m_model.Rows();
    if (selected < 0 || static_cast<size_t>(selected) >= rows.size())
        return std::nullopt;
    return rows[selected].id;
}

void ShortcutList::ShowRows()
{
    m_lvShortcuts.DeselectAll();
    m_lvShortcuts.SetCount(m_model.Rows().size());
    // A vertical scroll bar may have come or gone with the rows.
    m_lvShortcuts.FillWithLastColumn();
}

std::string ShortcutList::ColumnText(const Shortcut& row, int column)
{
    switch (column) {
    case kKeyColumn: return row.keyName;
    case kKindColumn: return KindName(row.kind);
    }
    return OnOneLine(row.payload);
}

std::optional<LRESULT> ShortcutList::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_DPICHANGED)
        return std::nullopt;
    // The dialog takes its new size only after this; the last column follows it then.
    SizeColumns(HIWORD(wParam));
    ::PostMessageW(m_lvShortcuts.hwnd(), LVM_SETCOLUMNWIDTH, kShortcutColumn, LVSCW_AUTOSIZE_USEHEADER);
    return std::nullopt;
}
