#pragma once
#include "framework/ComboBox.h"
#include "framework/DialogPart.h"
#include "framework/ListView.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"
#include <string>
#include <vector>

class EntryForm;

// The working copy of the shortcuts and what the user does with it: the list rows
// (key name, payload, and a ShortcutTag as item data), the key combo, which offers
// exactly the keys that no row uses plus the key of the row being viewed, and the
// handlers of a click on a row, of Edit, of Delete and of a key picked in the combo.
// A clicked row is viewed in the entry form. The list owns the tags and frees each
// one when its row goes (LVN_DELETEITEM).
class ShortcutList : public DialogPart {
public:
    ShortcutList(Dialog& dialog, EntryForm& form);

    // Takes over the dialog's list and key combo; the combo starts with every key name.
    void Attach();
    void InsertColumns();
    void Fill(const ShortcutTable& table);
    void RemoveUsedKeysFromCombo();
    void SelectFirstKey() { m_cbKey.Select(0); }
    void Sort();

    // Every row as the save writes it, in list order.
    std::vector<SettingsRow> SettingsRows() const;

    // The form's Accept: a new row for the key, which leaves the combo. A viewed row
    // keeps its own key, which leaves the combo as well.
    void AddShortcut(const std::string& keyName, const std::string& payload, ShortcutKind kind);
    // The selected row, if any, is selected no more.
    void DeselectRow();

    std::optional<LRESULT> OnCommand(WORD id, WORD code) override;
    std::optional<LRESULT> OnNotify(const NMHDR& header) override;

private:
    void OnClickShortcutList();
    void OnSelChangeKeyCombo();
    void OnEditButton();
    void OnDeleteButton();

    std::string RowKey(int row) const;
    std::string RowPayload(int row) const;
    ShortcutKind RowKind(int row) const;
    void AttachRowTag(int row, const std::string& keyName, ShortcutKind kind);
    // Appends a row and gives it its tag; the caller sorts.
    int AppendRow(const std::string& keyName, const std::string& payload, ShortcutKind kind);
    void ReturnKeyToCombo(const std::string& keyName);
    void RemoveKeyFromCombo(const std::string& keyName);
    // The viewed row's key goes back out of the key combo: that row still uses it.
    void ForgetViewedKey();

    EntryForm& m_form;
    ListView m_lvShortcuts;
    ComboBox m_cbKey;
    // The key of the row shown in the form, read-only; empty when none is.
    std::string m_strViewedKey;
};
