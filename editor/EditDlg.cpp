#include "editor/EditDlg.h"
#include "res/resource.h"
#include <utility>

CEditDlg::CEditDlg(std::vector<std::string> keys, const Shortcut& shortcut)
    : Dialog(IDD_EDIT), m_keys(std::move(keys)), m_shortcut(shortcut), m_fields(*this, FieldsRole::Change)
{
}

bool CEditDlg::OnInitDialog()
{
    m_fields.Attach();
    m_fields.OfferKeys(m_keys, m_shortcut.keyName);
    m_fields.Show(m_shortcut);
    Dialog::OnInitDialog();
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
