#include "editor/ShortcutList.h"
#include "editor/KeyComboOrder.h"
#include "store/KeyText.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTag.h"

namespace {
constexpr int kKeyColumnWidth = 40;
constexpr int kPayloadColumnWidth = 1000;

int CALLBACK CompareRowTagsCallback(LPARAM first, LPARAM second, LPARAM)
{
    return CompareRowTags(*reinterpret_cast<const ShortcutTag*>(first),
                          *reinterpret_cast<const ShortcutTag*>(second));
}
}

void ShortcutList::Attach(HWND list, HWND keyCombo)
{
    m_rows = ListView(list);
    m_keys = ComboBox(keyCombo);
}

void ShortcutList::InsertColumns()
{
    m_rows.InsertColumn(0, "HotKey", kKeyColumnWidth);
    m_rows.InsertColumn(1, "Path", kPayloadColumnWidth);
}

void ShortcutList::Fill(const ShortcutTable& table)
{
    for (size_t i = 0; i < table.size(); ++i) {
        const Shortcut& shortcut = table[i];
        auto* tag = new ShortcutTag(shortcut.keyCode, shortcut.kind);
        int row = m_rows.InsertRow(static_cast<int>(i), ListKeyText(shortcut.keyName), reinterpret_cast<LPARAM>(tag));
        if (row < 0) {
            delete tag;
            continue;
        }
        m_rows.SetText(row, 1, shortcut.payload);
    }
}

void ShortcutList::RemoveUsedKeysFromCombo()
{
    for (int row = 0; row < m_rows.Count(); ++row)
        RemoveKeyFromCombo(ToUpperAscii(ListKeyText(m_rows.Text(row, 0))));
}

void ShortcutList::Sort() { m_rows.Sort(CompareRowTagsCallback, 0); }

std::vector<SettingsRow> ShortcutList::SettingsRows() const
{
    std::vector<SettingsRow> rows;
    for (int row = 0; row < m_rows.Count(); ++row)
        rows.push_back({m_rows.Text(row, 0), m_rows.Text(row, 1), RowKind(row)});
    return rows;
}

void ShortcutList::AttachRowTag(int row, const std::string& keyName, int kind)
{
    // The old tag, if any, is freed here; LVN_DELETEITEM only covers rows that go.
    delete reinterpret_cast<ShortcutTag*>(m_rows.Param(row));
    m_rows.SetParam(row, reinterpret_cast<LPARAM>(new ShortcutTag(keyName, kind)));
}

int ShortcutList::RowKind(int row) const
{
    auto* tag = reinterpret_cast<const ShortcutTag*>(m_rows.Param(row));
    return tag ? tag->kind : static_cast<int>(ShortcutKind::Path);
}

int ShortcutList::AppendRow(const std::string& keyName, const std::string& payload, int kind)
{
    int row = m_rows.InsertRow(m_rows.Count(), keyName, 0);
    m_rows.SetText(row, 1, payload);
    AttachRowTag(row, keyName, kind);
    return row;
}

void ShortcutList::ReturnKeyToCombo(const std::string& keyName)
{
    if (auto position = ReturnPosition(m_keys.Entries(), keyName))
        m_keys.Insert(static_cast<int>(*position), keyName);
}

void ShortcutList::RemoveKeyFromCombo(const std::string& keyName)
{
    int index = m_keys.FindExact(keyName);
    if (index >= 0)
        m_keys.Delete(index);
}

void ShortcutList::OnDeleteItem(const NMLISTVIEW& item)
{
    delete reinterpret_cast<ShortcutTag*>(item.lParam);
}
