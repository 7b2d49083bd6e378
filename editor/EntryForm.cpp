#include "editor/EntryForm.h"
#include "framework/MessageBox.h"
#include "res/MessageTexts.h"
#include "res/resource.h"

namespace {
}

EntryForm::EntryForm(Dialog& dialog, ShortcutModel& model)
    : DialogPart(dialog), m_model(model), m_fields(dialog, FieldsRole::Compose)
{
    model.AddObserver(*this);
}

void EntryForm::Start()
{
    m_fields.Attach();
    m_fields.OfferKeys(m_model.OfferedKeys());
    m_fields.StartWithPath();
}

void EntryForm::OnShow()
{
    if (m_fields.Kind() == ShortcutKind::Path)
        m_fields.OfferNewPath();
}

bool EntryForm::HoldsUnacceptedInput() { return m_fields.IsEditable() && m_fields.HoldsInput(); }

std::optional<LRESULT> EntryForm::OnCommand(WORD id, WORD code)
{
    if (id == IDC_ACCEPT && code == BN_CLICKED) {
        OnAcceptButton();
        return 0;
    }
    if (id == IDC_KEY_COMBO && code == CBN_SELCHANGE) {
        OnSelChangeKeyCombo();
        return 0;
    }
    return std::nullopt;
}

void EntryForm::OnModelChanged(ShortcutModel::Change change, const std::string& key)
{
    using Change = ShortcutModel::Change;
    switch (change) {
    case Change::Loaded:
        m_fields.OfferKeys(m_model.OfferedKeys());
        break;
    case Change::Viewed:
        ShowViewedRow();
        break;
    case Change::ViewEnded:
        if (m_pickedKey) {
            StartNewShortcut(*m_pickedKey);
        } else {
            StartNewShortcut({});
            if (m_fields.Kind() == ShortcutKind::Path)
                m_fields.AskForPath();
        }
        break;
    case Change::Accepted:
        StartNewShortcut(key);
        if (m_fields.Kind() == ShortcutKind::Path)
            m_fields.OfferNewPath();
        m_fields.DeletePendingPicture();
        break;
    case Change::Replaced:
        StartNewShortcut(key);
        break;
    case Change::Deleted:
        // The key the form held stays its key: with the path kind, where the form asks
        // for the next path at once, the freed key of a viewed row comes back selected.
        StartNewShortcut(m_fields.Kind() == ShortcutKind::Path ? m_fields.Key() : std::string());
        if (m_fields.Kind() == ShortcutKind::Path)
            m_fields.OfferNewPath();
        break;
    }
}

void EntryForm::OnAcceptButton()
{
    if (!m_dialog.UpdateData(true))
        return;
    // With every key in use the combo is empty, and a row without a key could never fire.
    if (m_fields.Key().empty()) {
        ShowMessage(m_dialog.hwnd(), kNoFreeKey, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::optional<std::string> payload = m_fields.TakePayload();
    if (!payload)
        return;
    m_model.Accept(m_fields.Key(), m_fields.Kind(), *payload);
}

void EntryForm::OnSelChangeKeyCombo()
{
    m_dialog.UpdateData(true);
    const ShortcutModel::Row* viewed = m_model.Viewed();
    if (!viewed || viewed->shortcut.keyName == m_fields.Key())
        return;
    // A blank form for the picked key: the viewed payload stays with its row.
    m_pickedKey = m_fields.Key();
    m_model.EndView();
    m_pickedKey.reset();
}

void EntryForm::EnableForm(bool editable)
{
    m_dialog.Enable(IDC_ACCEPT, editable);
    m_fields.SetEditable(editable);
}

void EntryForm::ShowViewedRow()
{
    const ShortcutModel::Row* viewed = m_model.Viewed();
    if (!viewed)
        return;
    m_fields.HideHint();
    m_fields.OfferKeys(m_model.OfferedKeys(), viewed->shortcut.keyName);
    m_fields.SetKey(viewed->shortcut.keyName);
    m_fields.Reset();
    EnableForm(false);
    m_fields.Show(viewed->shortcut);
    m_dialog.UpdateData(false);
}

void EntryForm::StartNewShortcut(const std::string& key)
{
    m_fields.OfferKeys(m_model.OfferedKeys());
    m_fields.SetKey(key);
    EnableForm(true);
    m_fields.Reset();
}
