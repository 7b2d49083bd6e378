#include "editor/ShortcutList.h"
#include "editor/EditDlg.h"
#include "editor/EntryForm.h"
#include "editor/KeyComboOrder.h"
#include "framework/MessageBox.h"
#include "res/resource.h"
#include "store/KeyNames.h"
#include "store/KeyText.h"
#include "store/ShortcutTag.h"

namespace {
constexpr int kKeyColumn = 0;
constexpr int kPayloadColumn = 1;
constexpr int kKeyColumnWidth = 40;
constexpr int kPayloadColumnWidth = 1000;

constexpr char kNoSelection[] = "No items were selected.";

int CALLBACK CompareRowTagsCallback(LPARAM first, LPARAM second, LPARAM)
{
    return CompareRowTags(*reinterpret_cast<const ShortcutTag*>(first),
                          *reinterpret_cast<const ShortcutTag*>(second));
}
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
    for (size_t i = 0; i < table.size(); ++i) {
        const Shortcut& shortcut = table[i];
        auto* tag = new ShortcutTag(shortcut.keyCode, shortcut.kind);
        int row = m_lvShortcuts.InsertRow(static_cast<int>(i), ListKeyText(shortcut.keyName),
                                          reinterpret_cast<LPARAM>(tag));
        if (row < 0) {
            delete tag;
            continue;
        }
        m_lvShortcuts.SetText(row, kPayloadColumn, shortcut.payload);
    }
}

void ShortcutList::RemoveUsedKeysFromCombo()
{
    for (int row = 0; row < m_lvShortcuts.Count(); ++row)
        RemoveKeyFromCombo(ToUpperAscii(ListKeyText(RowKey(row))));
}

void ShortcutList::Sort() { m_lvShortcuts.Sort(CompareRowTagsCallback, 0); }

std::vector<SettingsRow> ShortcutList::SettingsRows() const
{
    std::vector<SettingsRow> rows;
    for (int row = 0; row < m_lvShortcuts.Count(); ++row)
        rows.push_back({RowKey(row), RowPayload(row), static_cast<int>(RowKind(row))});
    return rows;
}

void ShortcutList::AddShortcut(const std::string& keyName, const std::string& payload, ShortcutKind kind)
{
    ForgetViewedKey();
    AppendRow(keyName, payload, kind);
    Sort();
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
    case LVN_DELETEITEM:
        // The row is going, and its tag with it.
        delete reinterpret_cast<ShortcutTag*>(reinterpret_cast<const NMLISTVIEW&>(header).lParam);
        return 0;
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
    const std::string key = ToUpperAscii(RowKey(row));
    fields.SetKey(key);
    ReturnKeyToCombo(key);
    m_strViewedKey = key;
    m_form.EnableForm(false);
    fields.Show(RowKind(row), RowPayload(row));
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
    if (!EqualsNoCase(m_strViewedKey, RowKey(row)))
        OnClickShortcutList();

    CEditDlg edit(m_cbKey, m_form.Fields());
    if (edit.RunModal(m_dialog.hwnd()) != IDOK)
        return;
    const std::string key = edit.Fields().Key();
    const std::string payload = edit.Fields().Payload();
    const ShortcutKind kind = edit.Fields().Kind();

    ShortcutFields& fields = m_form.Fields();
    fields.Reset();
    fields.SetKey(key);
    m_lvShortcuts.Deselect(row);
    m_form.EnableForm(true);
    RemoveKeyFromCombo(key);
    if (EqualsNoCase(key, m_strViewedKey)) {
        m_lvShortcuts.SetText(row, kKeyColumn, key);
        m_lvShortcuts.SetText(row, kPayloadColumn, payload);
        AttachRowTag(row, key, kind);
    } else {
        ReturnKeyToCombo(m_strViewedKey);   // the row's old key is free again
        m_lvShortcuts.DeleteRow(row);
        AppendRow(key, payload, kind);
        Sort();
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
        const std::string key = ToUpperAscii(RowKey(row));
        ReturnKeyToCombo(key);
        // After the arrow keys moved on from a viewed row, that row stays and keeps its key.
        if (EqualsNoCase(m_strViewedKey, key))
            m_strViewedKey.clear();
        else
            ForgetViewedKey();
        m_form.EnableForm(true);
        m_lvShortcuts.DeleteRow(row);
    }
    m_form.Fields().Reset();
    m_cbKey.Select(0);
    if (m_form.Fields().Kind() == ShortcutKind::Path)
        m_form.Fields().OfferNewPath();
}

std::string ShortcutList::RowKey(int row) const { return m_lvShortcuts.Text(row, kKeyColumn); }

std::string ShortcutList::RowPayload(int row) const { return m_lvShortcuts.Text(row, kPayloadColumn); }

ShortcutKind ShortcutList::RowKind(int row) const
{
    auto* tag = reinterpret_cast<const ShortcutTag*>(m_lvShortcuts.Param(row));
    return tag ? static_cast<ShortcutKind>(tag->kind) : ShortcutKind::Path;
}

void ShortcutList::AttachRowTag(int row, const std::string& keyName, ShortcutKind kind)
{
    // The old tag, if any, is freed here; LVN_DELETEITEM only covers rows that go.
    delete reinterpret_cast<ShortcutTag*>(m_lvShortcuts.Param(row));
    m_lvShortcuts.SetParam(row, reinterpret_cast<LPARAM>(new ShortcutTag(keyName, static_cast<int>(kind))));
}

int ShortcutList::AppendRow(const std::string& keyName, const std::string& payload, ShortcutKind kind)
{
    int row = m_lvShortcuts.InsertRow(m_lvShortcuts.Count(), keyName, 0);
    m_lvShortcuts.SetText(row, kPayloadColumn, payload);
    AttachRowTag(row, keyName, kind);
    return row;
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
