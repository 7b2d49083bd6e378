#pragma once
#include "editor/ShortcutFields.h"
#include "framework/DialogPart.h"

class ShortcutList;

// The upper part of the main dialog, where a new shortcut is composed in the
// shortcut fields and accepted into the list; also the read-only viewer of the row
// that the list shows in it. Its Accept button is the only control of its own.
class EntryForm : public DialogPart {
public:
    EntryForm(Dialog& dialog, ShortcutList& list);

    // The starting state: path kind, image box read-only, focus in the path box.
    void Start();
    // The dialog comes back from the tray.
    void OnShow();
    // Editable, or view-only with every control but the key combo off.
    void EnableForm(bool editable);
    // The editable form holds input for its kind that was never accepted (read from
    // the controls beforehand). A path is trimmed on the way.
    bool HoldsUnacceptedInput();

    ShortcutFields& Fields() { return m_fields; }
    const ShortcutFields& Fields() const { return m_fields; }

    std::optional<LRESULT> OnCommand(WORD id, WORD code) override;

private:
    void OnAcceptButton();

    ShortcutList& m_list;
    ShortcutFields m_fields;
};
