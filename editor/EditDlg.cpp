#include "editor/EditDlg.h"
#include "res/resource.h"

CEditDlg::CEditDlg(const ComboBox& mainKeys, const ShortcutFields& form)
    : Dialog(IDD_EDIT), m_cbMainKeys(mainKeys), m_fields(*this, FieldsRole::Change)
{
    m_fields.CopyFrom(form);
}

bool CEditDlg::OnInitDialog()
{
    m_fields.Attach();
    Dialog::OnInitDialog();

    ComboBox keys(Item(IDC_KEY_COMBO));
    for (const std::string& key : m_cbMainKeys.Entries())
        keys.Add(key);
    keys.Select(m_cbMainKeys.Selection());
    m_fields.SelectKind(m_fields.Kind());
    return true;
}

void CEditDlg::OnOK()
{
    if (!UpdateData(true) || !m_fields.TakePayload())
        return;
    // Not through the base's OK: it would read the controls again and hand back the
    // path untrimmed.
    End(IDOK);
}
