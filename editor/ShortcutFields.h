#pragma once
#include "editor/HintEdit.h"
#include "editor/ImageEdit.h"
#include "framework/ComboBox.h"
#include "framework/DialogPart.h"
#include "store/Shortcut.h"
#include <optional>
#include <string>
#include <vector>

// Where the fields serve: the entry form composes new shortcuts, the edit dialog
// changes one. The two differ on purpose in a few places, each marked where it is.
enum class FieldsRole { Compose, Change };

// The fields of one shortcut as the entry form and the edit dialog both show them:
// the key combo, the kind radios, the path, text and picture boxes, the browse and
// e-mail commands, and the check of the payload with its messages. The kind and the
// editable flag live here and are written to the controls, never read back from
// them; the picture box keeps the picture's files.
class ShortcutFields : public DialogPart {
public:
    ShortcutFields(Dialog& dialog, FieldsRole role);

    // Takes over the dialog's key combo and its path and picture boxes.
    void Attach();
    // The form's first state: the path kind, pasting off, and the focus in the empty
    // path box with nothing selected and the hint asking for a path.
    void StartWithPath();

    void Exchange(DataExchange& dx) override;
    std::optional<LRESULT> OnCommand(WORD id, WORD code) override;

    // The key combo offers these keys, in this order, and selects `selected` (its
    // first entry when it offers no such key).
    void OfferKeys(const std::vector<std::string>& keys, const std::string& selected = {});
    ShortcutKind Kind() const { return m_kind; }
    const std::string& Key() const { return m_strKey; }
    void SetKey(const std::string& key) { m_strKey = key; }

    bool IsEditable() const { return m_bEditable; }
    // The radios and the kind's controls on, or all of them off (view-only).
    void SetEditable(bool editable);

    // The shortcut's payload in its kind's box (a picture's file as its chosen place,
    // so that OK without a new paste keeps it) and its kind's radio and controls, as
    // a click on the radio sets them, the path radio's offer of a new path left out.
    void Show(const Shortcut& shortcut);
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

    void SelectKind(ShortcutKind kind);
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
    ComboBox m_cbKey;
    CHintEdit m_edPath;
    CImageEdit m_edImage;
};
