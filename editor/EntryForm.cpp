#include "editor/EntryForm.h"
#include "editor/ShortcutList.h"
#include "framework/MessageBox.h"
#include "res/resource.h"

namespace {
constexpr char kNoFreeKey[] = "All keys are in use. Delete a shortcut to free its key.";
}

EntryForm::EntryForm(Dialog& dialog, ShortcutList& list)
    : DialogPart(dialog), m_list(list), m_fields(dialog, FieldsRole::Compose)
{
}

void EntryForm::Start()
{
    m_fields.Attach();
    m_fields.StartWithPath();
}

void EntryForm::OnShow()
{
    if (m_fields.Kind() == ShortcutKind::Path)
        m_fields.OfferNewPath();
}

void EntryForm::EnableForm(bool editable)
{
    m_dialog.Enable(IDC_ACCEPT, editable);
    m_fields.SetEditable(editable);
}

bool EntryForm::HoldsUnacceptedInput() { return m_fields.IsEditable() && m_fields.HoldsInput(); }

std::optional<LRESULT> EntryForm::OnCommand(WORD id, WORD code)
{
    if (id != IDC_ACCEPT || code != BN_CLICKED)
        return std::nullopt;
    OnAcceptButton();
    return 0;
}

void EntryForm::OnAcceptButton()
{
    if (!m_dialog.UpdateData(true))
        return;
    // With every key in use the combo is empty, and a row without a key could never fire.
    if (m_fields.Key().empty()) {
        ShowMessage(m_dialog.hwnd(), kNoFreeKey);
        return;
    }
    const std::optional<std::string> payload = m_fields.TakePayload();
    if (!payload)
        return;
    if (m_fields.Kind() == ShortcutKind::Path)
        m_fields.OfferNewPath();

    m_list.AddShortcut(m_fields.Key(), *payload, m_fields.Kind());
    m_fields.Reset();
    m_list.DeselectRow();
    m_fields.DeletePendingPicture();
}
