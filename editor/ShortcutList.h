#pragma once
#include "editor/ShortcutModel.h"
#include "framework/DialogPart.h"
#include "framework/ListView.h"
#include <optional>
#include <string>

// The list of the model's rows (key, kind, shortcut), and what the user does with
// them: a click on a row views it in the form, a click beside the rows ends the view,
// Edit (or a double click, or Enter) changes the selected row in the edit dialog and
// Delete (the button or the key) deletes it. The list control keeps no
// rows of its own: it asks for the texts of those it shows, so a file of a few hundred
// thousand lines is listed as quickly as it is read.
class ShortcutList : public DialogPart, public ShortcutModel::Observer {
public:
    ShortcutList(Dialog& dialog, ShortcutModel& model);

    // Takes over the dialog's list control and gives it its columns.
    void Attach();
    // The edit dialog is open: the main dialog takes no command for the list meanwhile.
    bool IsEditing() const { return m_editing; }

    std::optional<LRESULT> OnCommand(WORD id, WORD code) override;
    std::optional<LRESULT> OnNotify(const NMHDR& header) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnModelChanged(ShortcutModel::Change change, const std::string& key) override;

private:
    void OnClickShortcutList();
    void OnEditButton();
    void OnDeleteButton();
    void OnGetDispInfo(LVITEMW& item) const;
    // The row whose key begins with (or is) the text the user typed into the list.
    LRESULT OnFindItem(const NMLVFINDITEMW& find) const;

    std::optional<ShortcutModel::RowId> SelectedRow() const;
    static std::string ColumnText(const Shortcut& row, int column);
    void SizeColumns(UINT dpi);
    // The control shows the rows as they now are, none of them selected.
    void ShowRows();

    ShortcutModel& m_model;
    ListView m_lvShortcuts;
    bool m_editing = false;
};
