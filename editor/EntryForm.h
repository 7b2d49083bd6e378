#pragma once
#include "editor/HintEdit.h"
#include "editor/ImageEdit.h"
#include "editor/ShortcutList.h"
#include "framework/Dialog.h"
#include "store/ShortcutKind.h"
#include <optional>
#include <string>

class CEditDlg;

// The upper part of the main dialog, where a new shortcut is composed (key, kind,
// payload) and accepted into the list; also the read-only viewer of a clicked row.
// It owns the form's data-exchange values and handles the form's and the list's
// commands; the dialog routes them here.
class EntryForm {
public:
    EntryForm(Dialog& dialog, ShortcutList& list) : m_dialog(dialog), m_list(list) {}

    void Exchange(DataExchange& dx);
    // The starting state: path kind, image box read-only, focus in the path box.
    void Start();
    // The dialog comes back from the tray.
    void OnShow();
    std::optional<LRESULT> OnCommand(WORD id, WORD code);
    std::optional<LRESULT> OnNotify(const NMHDR& header);
    // Any other message of the dialog, offered here first (the save-bitmap message).
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The editable form holds input for its kind that was never accepted (read from
    // the controls beforehand). A path is trimmed on the way.
    bool HoldsUnacceptedInput();

private:
    // The form's own commands.
    void OnPathRadio();
    void OnTextRadio();
    void OnGraphicRadio();
    void OnFolderBrowseButton();
    void OnFileBrowseButton();
    void OnEmailButton();
    void OnAcceptButton();
    void OnSaveBitmapButton();
    // The list's commands, which load rows into the form and free or take keys.
    void OnClickShortcutList();
    void OnSelChangeKeyCombo();
    void OnEditButton();
    void OnDeleteButton();

    static std::string EditedPayload(const CEditDlg& edit);
    void EnableForm(bool editable);
    void ResetForm();
    void ApplyPathMode();
    // The controls of one kind, enabled only while the form is editable; the others'
    // off, and pasting on only for a picture.
    void EnableKindControls(ShortcutKind kind);
    // The payload of the checked kind, or nullopt after telling the user what is missing.
    std::optional<std::string> TakePayload(ShortcutKind kind);
    ShortcutKind CheckedKind() const;
    // The viewed row's key goes back out of the key combo: that row still uses it.
    void ForgetViewedKey();
    void CheckRadio(int id);

    HWND Item(int id) const { return m_dialog.Item(id); }
    bool IsChecked(int id) const;
    // The Accept button's enabled state is the form's editable flag.
    bool IsEditable() const;
    void Enable(int id, bool enable) const;
    bool UpdateData(bool saveAndValidate) { return m_dialog.UpdateData(saveAndValidate); }

    Dialog& m_dialog;
    ShortcutList& m_list;
    std::string m_strKey;
    std::string m_strPath;
    std::string m_strText;
    std::string m_strImage;
    std::string m_strViewedKey;
    CHintEdit m_edPath;
    CImageEdit m_edImage;
};
