#pragma once
#include "editor/ShortcutFields.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"

// Changes one shortcut of the list: the same shortcut fields as the entry form's,
// with OK and Cancel in place of Accept. It starts from the form's fields; after OK
// its fields hold the kind, the key and the payload of that kind.
class CEditDlg : public Dialog {
public:
    // `mainKeys`: the main dialog's key combo (the free keys and the edited row's,
    // which is selected); the dialog offers the same.
    CEditDlg(const ComboBox& mainKeys, const ShortcutFields& form);

    const ShortcutFields& Fields() const { return m_fields; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    ComboBox m_cbMainKeys;
    ShortcutFields m_fields;
};
