#pragma once
#include "editor/ShortcutFields.h"
#include "editor/ShortcutModel.h"
#include "framework/DialogPart.h"
#include <optional>
#include <string>

// The upper part of the main dialog, where a new shortcut is composed in the
// shortcut fields and accepted into the model; also the read-only viewer of the
// model's viewed row. Its Accept button is the only control of its own besides the
// fields.
class EntryForm : public DialogPart, public ShortcutModel::Observer {
public:
    EntryForm(Dialog& dialog, ShortcutModel& model);

    // The starting state: path kind, image box read-only, focus in the path box.
    void Start();
    // The dialog comes back from the tray.
    void OnShow();
    // The editable form holds input for its kind that was never accepted (read from
    // the controls beforehand). A path is trimmed on the way.
    bool HoldsUnacceptedInput();

    std::optional<LRESULT> OnCommand(WORD id, WORD code) override;
    void OnModelChanged(ShortcutModel::Change change, const std::string& key) override;

private:
    void OnAcceptButton();
    void OnSelChangeKeyCombo();
    // Editable, or view-only with every control but the key combo off.
    void EnableForm(bool editable);
    void ShowViewedRow();
    // A blank editable form for the next shortcut; the key combo writes `key` back
    // as its selection (the first entry that begins with it, else its first entry).
    void StartNewShortcut(const std::string& key);

    ShortcutModel& m_model;
    ShortcutFields m_fields;
    // The key the user picked while a row was viewed: the view ends, the key stays.
    std::optional<std::string> m_pickedKey;
};
