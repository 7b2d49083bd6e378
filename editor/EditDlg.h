#pragma once
#include "editor/ShortcutFields.h"
#include "framework/Dialog.h"
#include <string>
#include <vector>

// Changes one shortcut of the list: the same shortcut fields as the entry form's,
// with OK and Cancel in place of Accept. After OK its fields hold the kind, the key
// and the payload of that kind.
class CEditDlg : public Dialog {
public:
    // `keys`: what the key combo offers, the shortcut's own key among them.
    CEditDlg(std::vector<std::string> keys, const Shortcut& shortcut);

    const ShortcutFields& Fields() const { return m_fields; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<std::string> m_keys;
    Shortcut m_shortcut;
    ShortcutFields m_fields;
};
