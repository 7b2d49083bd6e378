#include "editor/ShortcutList.h"
#include "editor/EditDlg.h"
#include "editor/EntryForm.h"
#include "editor/KeyComboOrder.h"
#include "framework/MessageBox.h"
#include "res/resource.h"
#include "store/KeyNames.h"
#include "store/KeyText.h"
#include <algorithm>
#include <cstring>
#include <set>

namespace {
constexpr int kKeyColumn = 0;
constexpr int kPayloadColumn = 1;
constexpr int kKeyColumnWidth = 40;
constexpr int kPayloadColumnWidth = 1000;

constexpr char kNoSelection[] = "No items were selected.";

template <typename Row>
bool InKeyOrder(const Row& a, const Row& b)
{
    return CompareRowTags(a.tag, b.tag) < 0;
}

// A list control's texts end at a NUL; the rows keep what it would have kept.
std::string ShownText(const std::string& text) { return text.c_str(); }
}

ShortcutList::ShortcutList(Dialog& dialog, EntryForm& form) : DialogPart(dialog), m_form(form) {}

void ShortcutList::Attach()
{
    m_lvShortcuts = ListView(m_dialog.Item(IDC_SHORTCUT_LIST));
    m_cbKey = ComboBox(m_dialog.Item(IDC_KEY_COMBO));
    for (const std::string& name : KeyNames())
        m_cbKey.Add(name);
}

void ShortcutList::InsertColumns()
{
    m_lvShortcuts.InsertColumn(kKeyColumn, "HotKey", kKeyColumnWidth);
    m_lvShortcuts.InsertColumn(kPayloadColumn, "Path", kPayloadColumnWidth);
}

void ShortcutList::Fill(const ShortcutTable& table)
{
    m_rows.clear();
    m_rows.reserve(table.size());
    for (const Shortcut& shortcut : table)
        m_rows.push_back({ShownText(ListKeyText(shortcut.keyName)), ShownText(shortcut.payload),
                          ShortcutTag(shortcut.keyCode, shortcut.kind)});
    std::stable_sort(m_rows.begin(), m_rows.end(), InKeyOrder<Row>);
    ShowRows();
}

void ShortcutList::RemoveUsedKeysFromCombo()
{
    // Each key once, however many rows a hand-edited file gives it.
    std::set<std::string> used;
    for (const Row& row : m_rows)
        used.insert(ToUpperAscii(ListKeyText(row.key)));
    for (const std::string& key : used)
        RemoveKeyFromCombo(key);
}

std::vector<SettingsRow> ShortcutList::SettingsRows() const
{
    std::vector<SettingsRow> rows;
    rows.reserve(m_rows.size());
    for (const Row& row : m_rows)
        rows.push_back({row.key, row.payload, row.tag.kind});
    return rows;
}

void ShortcutList::AddShortcut(const std::string& keyName, const std::string& payload, ShortcutKind kind)
{
    ForgetViewedKey();
    InsertRow({keyName, payload, ShortcutTag(keyName, static_cast<int>(kind))});
    ShowRows();
    RemoveKeyFromCombo(keyName);
    // The form's write-back then keeps this selection, except that a taken F moves it
    // on to F1 and a taken F1 to F10: the next function key is the likely next choice.
    m_cbKey.Select(0);
}

void ShortcutList::DeselectRow()
{
    const int selected = m_lvShortcuts.SelectedRow();
    if (selected >= 0)
        m_lvShortcuts.Deselect(selected);
}

std::optional<LRESULT> ShortcutList::OnCommand(WORD id, WORD code)
{
    if (id == IDC_KEY_COMBO && code == CBN_SELCHANGE) {
        OnSelChangeKeyCombo();
        return 0;
    }
    if (code != BN_CLICKED)
        return std::nullopt;
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
        OnClickShortcutList();
        return 0;
    case LVN_ITEMCHANGED:
        return 0;
    case LVN_GETDISPINFOA:
        // The request begins with the header; the answer goes into the request.
        OnGetDispInfo(const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item);
        return 0;
    case LVN_ODFINDITEMA:
        return OnFindItem(reinterpret_cast<const NMLVFINDITEMA&>(header));
    }
    return std::nullopt;
}

void ShortcutList::OnClickShortcutList()
{
    ShortcutFields& fields = m_form.Fields();
    fields.HideHint();
    ForgetViewedKey();
    fields.Reset();
    const int row = m_lvShortcuts.SelectedRow();
    if (row < 0) {
        m_cbKey.Select(0);
        m_form.EnableForm(true);
        m_dialog.UpdateData(false);
        if (fields.Kind() == ShortcutKind::Path)
            fields.AskForPath();
        return;
    }

    // The row's own key joins the free ones, so that the combo can show it.
    const Row& clicked = m_rows[row];
    const std::string key = ToUpperAscii(clicked.key);
    fields.SetKey(key);
    ReturnKeyToCombo(key);
    m_strViewedKey = key;
    m_form.EnableForm(false);
    fields.Show(static_cast<ShortcutKind>(clicked.tag.kind), clicked.payload);
    m_dialog.UpdateData(false);
}

void ShortcutList::OnSelChangeKeyCombo()
{
    m_dialog.UpdateData(true);
    if (!m_strViewedKey.empty() && m_strViewedKey != m_form.Fields().Key()) {
        ForgetViewedKey();
        m_form.EnableForm(true);
        // A blank form for the picked key: the viewed payload stays with its row.
        m_form.Fields().Reset();
    }
    DeselectRow();
}

void ShortcutList::OnEditButton()
{
    if (!m_dialog.UpdateData(true))
        return;
    const int row = m_lvShortcuts.SelectedRow();
    if (row < 0) {
        ShowMessage(m_dialog.hwnd(), kNoSelection);
        return;
    }
    // A row reached with the arrow keys was never loaded into the form: load it now,
    // or the dialog would show the form's input and the row's key would be lost.
    if (!EqualsNoCase(m_strViewedKey, m_rows[row].key))
        OnClickShortcutList();

    CEditDlg edit(m_cbKey, m_form.Fields());
    if (edit.RunModal(m_dialog.hwnd()) != IDOK)
        return;
    const std::string key = edit.Fields().Key();
    Row edited{key, edit.Fields().Payload(), ShortcutTag(key, static_cast<int>(edit.Fields().Kind()))};

    ShortcutFields& fields = m_form.Fields();
    fields.Reset();
    fields.SetKey(key);
    m_lvShortcuts.Deselect(row);
    m_form.EnableForm(true);
    RemoveKeyFromCombo(key);
    if (EqualsNoCase(key, m_strViewedKey)) {
        m_rows[row] = std::move(edited);
        m_lvShortcuts.RedrawRow(row);
    } else {
        ReturnKeyToCombo(m_strViewedKey);   // the row's old key is free again
        m_rows.erase(m_rows.begin() + row);
        InsertRow(std::move(edited));
        ShowRows();
    }
    m_strViewedKey.clear();
    m_cbKey.Select(0);
    m_dialog.UpdateData(false);
}

void ShortcutList::OnDeleteButton()
{
    const int row = m_lvShortcuts.SelectedRow();
    if (row < 0) {
        ShowMessage(m_dialog.hwnd(), kNoSelection);
    } else {
        const std::string key = ToUpperAscii(m_rows[row].key);
        ReturnKeyToCombo(key);
        // After the arrow keys moved on from a viewed row, that row stays and keeps its key.
        if (EqualsNoCase(m_strViewedKey, key))
            m_strViewedKey.clear();
        else
            ForgetViewedKey();
        m_form.EnableForm(true);
        m_rows.erase(m_rows.begin() + row);
        ShowRows();
    }
    m_form.Fields().Reset();
    m_cbKey.Select(0);
    if (m_form.Fields().Kind() == ShortcutKind::Path)
        m_form.Fields().OfferNewPath();
}

void ShortcutList::OnGetDispInfo(LVITEMA& item) const
{
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_rows.size() ||
        !item.pszText || item.cchTextMax <= 0)
        return;
    const Row& row = m_rows[item.iItem];
    const std::string& text = item.iSubItem == kKeyColumn ? row.key : row.payload;
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
}

LRESULT ShortcutList::OnFindItem(const NMLVFINDITEMA& find) const
{
    constexpr LRESULT kNotFound = -1;
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || m_rows.empty())
        return kNotFound;
    const std::string typed = find.lvfi.psz;
    const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    const size_t start = find.iStart >= 0 && static_cast<size_t>(find.iStart) < m_rows.size() ? find.iStart : 0;
    // From the start row to the end, then from the top.
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const size_t row = (start + i) % m_rows.size();
        const std::string& key = m_rows[row].key;
        if (EqualsNoCase(partial ? key.substr(0, typed.size()) : key, typed))
            return static_cast<LRESULT>(row);
    }
    return kNotFound;
}

void ShortcutList::InsertRow(Row row)
{
    const auto after = std::upper_bound(m_rows.begin(), m_rows.end(), row, InKeyOrder<Row>);
    m_rows.insert(after, std::move(row));
}

void ShortcutList::ShowRows()
{
    m_lvShortcuts.DeselectAll();
    m_lvShortcuts.SetCount(m_rows.size());
}

void ShortcutList::ReturnKeyToCombo(const std::string& keyName)
{
    if (auto position = ReturnPosition(m_cbKey.Entries(), keyName))
        m_cbKey.Insert(static_cast<int>(*position), keyName);
}

void ShortcutList::RemoveKeyFromCombo(const std::string& keyName)
{
    int index = m_cbKey.FindExact(keyName);
    if (index >= 0)
        m_cbKey.Delete(index);
}

void ShortcutList::ForgetViewedKey()
{
    if (m_strViewedKey.empty())
        return;
    RemoveKeyFromCombo(m_strViewedKey);
    m_strViewedKey.clear();
}
