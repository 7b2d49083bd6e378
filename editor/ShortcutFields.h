#pragma once
#include "editor/HintEdit.h"
#include "editor/ImageEdit.h"
#include "framework/DialogPart.h"
#include "store/ShortcutKind.h"
#include <optional>
#include <string>

// Where the fields serve: the entry form composes new shortcuts, the edit dialog
// changes one. The two differ on purpose in a few places, each marked where it is.
enum class FieldsRole { Compose, Change };

// The fields of one shortcut as the entry form and the edit dialog both show them:
// the key combo, the kind radios, the path, text and picture boxes, the browse,
// e-mail and save-bitmap commands, and the check of the payload with its messages.
// The kind and the editable flag live here and are written to the controls, never
// read back from them; the picture box keeps the picture's files.
class ShortcutFields : public DialogPart {
public:
    ShortcutFields(Dialog& dialog, FieldsRole role);

    // Takes over the dialog's path and picture boxes.
    void Attach();
    // The form's first state: the path kind, pasting off, and the focus in the empty
    // path box with nothing selected and the hint asking for a path.
    void StartWithPath();
    // What the edit dialog starts from: the form's key, kind and fields. A picture's
    // file stands as its chosen place, so OK without a new paste keeps it.
    void CopyFrom(const ShortcutFields& form);

    void Exchange(DataExchange& dx) override;
    std::optional<LRESULT> OnCommand(WORD id, WORD code) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ShortcutKind Kind() const { return m_kind; }
    const std::string& Key() const { return m_strKey; }
    void SetKey(const std::string& key) { m_strKey = key; }

    bool IsEditable() const { return m_bEditable; }
    // The radios and the kind's controls on, or all of them off (view-only).
    void SetEditable(bool editable);

    // Checks the kind's radio and sets the controls for the kind as a click on the
    // radio does, the path radio's offer of a new path left out.
    void SelectKind(ShortcutKind kind);
    // The payload in the kind's box, then SelectKind.
    void Show(ShortcutKind kind, const std::string& payload);
    // Empties the three boxes (with the picture kind the picture box shows its prompt)
    // and forgets the picture's chosen place; written back.
    void Reset();
    // An empty path box, written back, with the focus and the hint asking for a path.
    void OfferNewPath();
    // The focus in the path box, with the hint asking for a path.
    void AskForPath();
    void HideHint();

    // The payload of the kind, or nullopt after telling the user what is missing. A
    // path is trimmed on the way, a pasted picture written to its place.
    std::optional<std::string> TakePayload();
    // The payload of the kind as it stands: what TakePayload accepted.
    std::string Payload() const;
    // The fields hold input for the kind (a path is trimmed on the way).
    bool HoldsInput();
    void DeletePendingPicture();

private:
    void OnKindRadio(ShortcutKind kind);
    void OnFolderBrowseButton();
    void OnFileBrowseButton();
    void OnEmailButton();
    void OnSaveBitmapButton();

    void ApplyKind();
    void ApplyPathMode();
    void ApplyTextMode();
    void ApplyGraphicMode();
    // The controls of the kind on while the fields are editable; the others' off,
    // and pasting on only for a picture.
    void ShowKindControls();
    // The path box holds "mailto:": the caret waits after it, with the hint asking
    // for the recipient.
    void AskForRecipient();
    bool UpdateData(bool saveAndValidate) { return m_dialog.UpdateData(saveAndValidate); }

    FieldsRole m_role;
    ShortcutKind m_kind = ShortcutKind::Path;
    bool m_bEditable = true;
    std::string m_strKey;
    std::string m_strPath;
    std::string m_strText;
    std::string m_strImage;
    CHintEdit m_edPath;
    CImageEdit m_edImage;
};
