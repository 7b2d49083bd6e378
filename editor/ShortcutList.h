#pragma once
#include "framework/ComboBox.h"
#include "framework/DialogPart.h"
#include "framework/ListView.h"
#include "store/ShortcutKind.h"
#include "store/ShortcutTable.h"
#include "store/ShortcutTag.h"
#include <string>
#include <vector>

class EntryForm;

// The working copy of the shortcuts and what the user does with it: the rows (key
// name, payload and the ShortcutTag they are ordered and saved by), which the list
// control shows, the key combo, which offers exactly the keys that no row uses plus
// the key of the row being viewed, and the handlers of a click on a row, of Edit, of
// Delete and of a key picked in the combo. A clicked row is viewed in the entry form.
// The rows are kept here, in key order, and the control only shows them: a file of a
// few hundred thousand lines is listed as quickly as it is read.
class ShortcutList : public DialogPart {
public:
    ShortcutList(Dialog& dialog, EntryForm& form);

    // Takes over the dialog's list and key combo; the combo starts with every key name.
    void Attach();
    void InsertColumns();
    // The table's shortcuts in key order; those of one key in the table's order.
    void Fill(const ShortcutTable& table);
    void RemoveUsedKeysFromCombo();
    void SelectFirstKey() { m_cbKey.Select(0); }

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
    struct Row {
        std::string key;   // as the list shows it
        std::string payload;
        ShortcutTag tag;
    };

    void OnClickShortcutList();
    void OnSelChangeKeyCombo();
    void OnEditButton();
    void OnDeleteButton();
    void OnGetDispInfo(LVITEMA& item) const;
    // The row whose key begins with (or is) the text the user typed into the list.
    LRESULT OnFindItem(const NMLVFINDITEMA& find) const;

    // After the last row of its key; the caller has the rows shown again.
    void InsertRow(Row row);
    // The control shows the rows as they now are, none of them selected.
    void ShowRows();
    void ReturnKeyToCombo(const std::string& keyName);
    void RemoveKeyFromCombo(const std::string& keyName);
    // The viewed row's key goes back out of the key combo: that row still uses it.
    void ForgetViewedKey();

    EntryForm& m_form;
    ListView m_lvShortcuts;
    ComboBox m_cbKey;
    std::vector<Row> m_rows;
    // The key of the row shown in the form, read-only; empty when none is.
    std::string m_strViewedKey;
};
