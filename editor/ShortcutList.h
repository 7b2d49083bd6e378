#pragma once
#include "framework/ComboBox.h"
#include "framework/ListView.h"
#include "store/ShortcutTable.h"
#include <string>
#include <vector>

// The working copy of the shortcuts: the list rows (key name, payload, and a
// ShortcutTag as item data) and the key combo, which offers exactly the keys that no
// row uses plus the key of the row being viewed. The list owns the tags and frees
// each one when its row goes (LVN_DELETEITEM).
class ShortcutList {
public:
    void Attach(HWND list, HWND keyCombo);
    ListView& Rows() { return m_rows; }
    ComboBox& Keys() { return m_keys; }

    void InsertColumns();
    void Fill(const ShortcutTable& table);
    void RemoveUsedKeysFromCombo();
    void Sort();

    // Every row as the save writes it, in list order.
    std::vector<SettingsRow> SettingsRows() const;

    void AttachRowTag(int row, const std::string& keyName, int kind);
    int RowKind(int row) const;
    // Appends a row and gives it its tag; the caller sorts.
    int AppendRow(const std::string& keyName, const std::string& payload, int kind);
    void ReturnKeyToCombo(const std::string& keyName);
    void RemoveKeyFromCombo(const std::string& keyName);

    // LVN_DELETEITEM: the row is going, and its tag with it.
    void OnDeleteItem(const NMLISTVIEW& item);

private:
    ListView m_rows;
    ComboBox m_keys;
};
