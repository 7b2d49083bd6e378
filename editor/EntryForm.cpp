#include "editor/EntryForm.h"
#include "editor/EditDlg.h"
#include "app/WindowMessages.h"
#include "editor/FileDialogs.h"
#include "editor/FormCommands.h"
#include "framework/MessageBox.h"
#include "res/resource.h"
#include "store/KeyText.h"
#include <utility>

namespace {
constexpr size_t kMaxTextChars = 200;

constexpr char kNoPath[] = "Please choose path.";
constexpr char kNoImage[] = "Please paste a image in the editbox.";
constexpr char kNoText[] = "Please type in content.";
constexpr char kNoFreeKey[] = "All keys are in use. Delete a shortcut to free its key.";
constexpr char kNoSelection[] = "No items were selected.";

constexpr int kPathControls[] = {IDC_FOLDER_BROWSE, IDC_FILE_BROWSE, IDC_PATH, IDC_EMAIL};
}

void EntryForm::Exchange(DataExchange& dx)
{
    dx.ComboText(IDC_KEY_COMBO, m_strKey);
    dx.Text(IDC_PATH, m_strPath);
    dx.Text(IDC_TEXT, m_strText);
    dx.MaxChars(IDC_TEXT, m_strText, kMaxTextChars);
    dx.Text(IDC_IMAGE, m_strImage);
}

void EntryForm::Start()
{
    m_edPath.Attach(Item(IDC_PATH));
    m_edImage.Attach(Item(IDC_IMAGE));

    ::CheckRadioButton(m_dialog.hwnd(), IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, IDC_PATH_RADIO);
    m_edImage.EnablePaste(false);
    ::SendMessageA(Item(IDC_PATH), EM_SETSEL, 0, 0);
    PromptForPath(m_edPath);
}

void EntryForm::OnShow()
{
    if (!IsChecked(IDC_PATH_RADIO))
        return;
    m_strPath.clear();
    UpdateData(false);
    PromptForPath(m_edPath);
}

std::optional<LRESULT> EntryForm::OnCommand(WORD id, WORD code)
{
    if (id == IDC_KEY_COMBO && code == CBN_SELCHANGE) {
        OnSelChangeKeyCombo();
        return 0;
    }
    if (code != BN_CLICKED)
        return std::nullopt;
    switch (id) {
    case IDC_PATH_RADIO: OnPathRadio(); break;
    case IDC_TEXT_RADIO: OnTextRadio(); break;
    case IDC_GRAPHIC_RADIO: OnGraphicRadio(); break;
    case IDC_FOLDER_BROWSE: OnFolderBrowseButton(); break;
    case IDC_FILE_BROWSE: OnFileBrowseButton(); break;
    case IDC_EMAIL: OnEmailButton(); break;
    case IDC_ACCEPT: OnAcceptButton(); break;
    case IDC_SAVE_BITMAP: OnSaveBitmapButton(); break;
    case IDC_EDIT_SHORTCUT: OnEditButton(); break;
    case IDC_DELETE_SHORTCUT: OnDeleteButton(); break;
    default: return std::nullopt;
    }
    return 0;
}

std::optional<LRESULT> EntryForm::OnNotify(const NMHDR& header)
{
    if (header.idFrom != IDC_SHORTCUT_LIST)
        return std::nullopt;
    switch (header.code) {
    case NM_CLICK:
        OnClickShortcutList();
        return 0;
    case LVN_ITEMCHANGED:
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> EntryForm::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (message != kSaveBitmapMessage)
        return std::nullopt;
    OnSaveBitmapButton();
    return 0;
}

void EntryForm::OnPathRadio()
{
    ApplyPathMode();
    m_strPath.clear();
    UpdateData(false);
    PromptForPath(m_edPath);
}

void EntryForm::OnTextRadio()
{
    EnableKindControls(ShortcutKind::Text);
    m_edPath.ShowHint(false);
    m_strImage.clear();
    UpdateData(false);
}

void EntryForm::OnGraphicRadio()
{
    EnableKindControls(ShortcutKind::Graphic);
    Enable(IDC_GRAPHIC_RADIO, IsEditable());
    m_edPath.ShowHint(false);
    // A viewed picture keeps its file name; anything else gives way to the prompt.
    if (!PathHasDrive(m_strImage))
        m_strImage = kImagePrompt;
    UpdateData(false);
}

void EntryForm::OnFolderBrowseButton()
{
    const std::optional<std::string> folder = ChooseFolder();
    if (!folder)
        return;
    m_edPath.ShowHint(false);
    m_strPath = *folder;
    UpdateData(false);
}

void EntryForm::OnFileBrowseButton()
{
    const std::optional<std::string> file = ChooseFile(m_dialog.hwnd());
    if (!file)
        return;
    m_strPath = *file;
    UpdateData(false);
    m_edPath.ShowHint(false);
}

void EntryForm::OnEmailButton()
{
    m_strPath = kMailto;
    UpdateData(false);
    PromptForRecipient(m_edPath);
}

void EntryForm::OnAcceptButton()
{
    if (!UpdateData(true))
        return;
    // With every key in use the combo is empty, and a row without a key could never fire.
    if (m_strKey.empty()) {
        ShowMessage(m_dialog.hwnd(), kNoFreeKey);
        return;
    }
    const ShortcutKind kind = CheckedKind();
    const std::optional<std::string> payload = TakePayload(kind);
    if (!payload)
        return;

    ForgetViewedKey();
    m_list.AppendRow(m_strKey, *payload, static_cast<int>(kind));
    m_list.Sort();
    m_list.RemoveKeyFromCombo(m_strKey);
    // The write-back then keeps this selection, except that a taken F moves it on to
    // F1 and a taken F1 to F10: the next function key is the likely next choice.
    m_list.Keys().Select(0);
    ResetForm();
    const int selected = m_list.Rows().SelectedRow();
    if (selected >= 0)
        m_list.Rows().Deselect(selected);
    m_edImage.DeleteTempFile();
}

std::optional<std::string> EntryForm::TakePayload(ShortcutKind kind)
{
    switch (kind) {
    case ShortcutKind::Path: {
        m_strPath = TrimWhitespace(m_strPath);
        if (m_strPath.empty()) {
            ShowMessage(m_dialog.hwnd(), kNoPath);
            return std::nullopt;
        }
        std::string payload = std::exchange(m_strPath, std::string());
        UpdateData(false);
        PromptForPath(m_edPath);
        return payload;
    }
    case ShortcutKind::Graphic:
        // The prompt texts have no drive letter; only a chosen location has.
        if (!PathHasDrive(m_edImage.m_strSavedFile)) {
            ShowMessage(m_dialog.hwnd(), kNoImage);
            return std::nullopt;
        }
        // A row must not point to a picture that was never written; the form keeps its
        // input, so the user can paste again and choose another place.
        if (!m_edImage.PlacePastedImage(m_dialog.hwnd()))
            return std::nullopt;
        return m_edImage.m_strSavedFile;
    case ShortcutKind::Text:
        break;
    }
    if (m_strText.empty()) {
        ShowMessage(m_dialog.hwnd(), kNoText);
        return std::nullopt;
    }
    return m_strText;
}

void EntryForm::OnSaveBitmapButton()
{
    if (!UpdateData(true))
        return;
    if (const std::optional<std::string> location = AskPastedImageLocation(m_dialog.hwnd(), m_strImage)) {
        m_strImage = *location;
        UpdateData(false);
    }
}

void EntryForm::OnClickShortcutList()
{
    m_edPath.ShowHint(false);
    ForgetViewedKey();
    ResetForm();
    const int row = m_list.Rows().SelectedRow();
    if (row < 0) {
        m_list.Keys().Select(0);
        EnableForm(true);
        m_strPath.clear();
        UpdateData(false);
        if (IsChecked(IDC_PATH_RADIO))
            PromptForPath(m_edPath);
        return;
    }

    // The row's own key joins the free ones, so that the combo can show it.
    m_strKey = ToUpperAscii(m_list.Rows().Text(row, 0));
    m_list.ReturnKeyToCombo(m_strKey);
    m_strViewedKey = m_strKey;
    EnableForm(false);
    const std::string payload = m_list.Rows().Text(row, 1);
    switch (static_cast<ShortcutKind>(m_list.RowKind(row))) {
    case ShortcutKind::Path:
        m_strPath = payload;
        CheckRadio(IDC_PATH_RADIO);
        ApplyPathMode();
        break;
    case ShortcutKind::Text:
        m_strText = payload;
        CheckRadio(IDC_TEXT_RADIO);
        OnTextRadio();
        break;
    default:
        m_strImage = payload;
        CheckRadio(IDC_GRAPHIC_RADIO);
        OnGraphicRadio();
        break;
    }
    UpdateData(false);
}

void EntryForm::OnSelChangeKeyCombo()
{
    UpdateData(true);
    if (!m_strViewedKey.empty() && m_strViewedKey != m_strKey) {
        ForgetViewedKey();
        EnableForm(true);
        // A blank form for the picked key: the viewed payload stays with its row.
        m_strPath.clear();
        m_strText.clear();
        m_strImage = IsChecked(IDC_GRAPHIC_RADIO) ? kImagePrompt : "";
        UpdateData(false);
    }
    const int selected = m_list.Rows().SelectedRow();
    if (selected >= 0)
        m_list.Rows().Deselect(selected);
}

void EntryForm::OnEditButton()
{
    if (!UpdateData(true))
        return;
    const int row = m_list.Rows().SelectedRow();
    if (row < 0) {
        ShowMessage(m_dialog.hwnd(), kNoSelection);
        return;
    }
    // A row reached with the arrow keys was never loaded into the form: load it now,
    // or the dialog would show the form's input and the row's key would be lost.
    if (!EqualsNoCase(m_strViewedKey, m_list.Rows().Text(row, 0)))
        OnClickShortcutList();

    CEditDlg edit(m_list.Keys());
    edit.m_strPath = m_strPath;
    edit.m_strText = m_strText;
    edit.m_strImage = m_strImage;
    edit.m_strKey = m_strKey;
    edit.m_nKind = static_cast<int>(CheckedKind());
    if (CheckedKind() == ShortcutKind::Graphic)
        edit.m_edImage.m_strSavedFile = m_strImage;
    if (edit.RunModal(m_dialog.hwnd()) != IDOK)
        return;

    const std::string payload = EditedPayload(edit);
    ResetForm();
    m_strKey = edit.m_strKey;
    m_list.Rows().Deselect(row);
    EnableForm(true);
    m_list.RemoveKeyFromCombo(m_strKey);
    if (EqualsNoCase(m_strKey, m_strViewedKey)) {
        m_list.Rows().SetText(row, 0, m_strKey);
        m_list.Rows().SetText(row, 1, payload);
        m_list.AttachRowTag(row, m_strKey, edit.m_nKind);
    } else {
        m_list.ReturnKeyToCombo(m_strViewedKey);   // the row's old key is free again
        m_list.Rows().DeleteRow(row);
        m_list.AppendRow(m_strKey, payload, edit.m_nKind);
        m_list.Sort();
    }
    m_strViewedKey.clear();
    m_list.Keys().Select(0);
    m_strPath.clear();
    UpdateData(false);
}

std::string EntryForm::EditedPayload(const CEditDlg& edit)
{
    switch (static_cast<ShortcutKind>(edit.m_nKind)) {
    case ShortcutKind::Path: return edit.m_strPath;
    case ShortcutKind::Text: return edit.m_strText;
    case ShortcutKind::Graphic: return edit.m_edImage.m_strSavedFile;
    }
    return {};
}

bool EntryForm::HoldsUnacceptedInput()
{
    if (!IsEditable())
        return false;
    switch (CheckedKind()) {
    case ShortcutKind::Path:
        m_strPath = TrimWhitespace(m_strPath);
        return !m_strPath.empty();
    case ShortcutKind::Graphic:
        return PathHasDrive(m_edImage.m_strSavedFile);
    case ShortcutKind::Text:
        break;
    }
    return !m_strText.empty();
}

void EntryForm::OnDeleteButton()
{
    const int row = m_list.Rows().SelectedRow();
    if (row < 0) {
        ShowMessage(m_dialog.hwnd(), kNoSelection);
    } else {
        const std::string key = ToUpperAscii(m_list.Rows().Text(row, 0));
        m_list.ReturnKeyToCombo(key);
        // After the arrow keys moved on from a viewed row, that row stays and keeps its key.
        if (EqualsNoCase(m_strViewedKey, key))
            m_strViewedKey.clear();
        else
            ForgetViewedKey();
        EnableForm(true);
        m_list.Rows().DeleteRow(row);
    }
    ResetForm();
    m_list.Keys().Select(0);
    if (IsChecked(IDC_PATH_RADIO)) {
        m_strPath.clear();
        UpdateData(false);
        PromptForPath(m_edPath);
    }
}

void EntryForm::EnableForm(bool editable)
{
    Enable(IDC_ACCEPT, editable);
    for (int radio : {IDC_PATH_RADIO, IDC_TEXT_RADIO, IDC_GRAPHIC_RADIO})
        Enable(radio, editable);
    EnableKindControls(CheckedKind());
}

void EntryForm::ResetForm()
{
    m_strPath.clear();
    m_strText.clear();
    m_strImage = IsChecked(IDC_GRAPHIC_RADIO) ? kImagePrompt : "";
    m_edImage.m_strSavedFile.clear();
    UpdateData(false);
}

void EntryForm::ApplyPathMode()
{
    EnableKindControls(ShortcutKind::Path);
    m_strImage.clear();
}

void EntryForm::EnableKindControls(ShortcutKind kind)
{
    const bool editable = IsEditable();
    for (int id : kPathControls)
        Enable(id, editable && kind == ShortcutKind::Path);
    Enable(IDC_TEXT, editable && kind == ShortcutKind::Text);
    Enable(IDC_SAVE_BITMAP, editable && kind == ShortcutKind::Graphic);
    m_edImage.EnablePaste(editable && kind == ShortcutKind::Graphic);
}

ShortcutKind EntryForm::CheckedKind() const
{
    if (IsChecked(IDC_PATH_RADIO))
        return ShortcutKind::Path;
    if (IsChecked(IDC_GRAPHIC_RADIO))
        return ShortcutKind::Graphic;
    return ShortcutKind::Text;
}

void EntryForm::ForgetViewedKey()
{
    if (m_strViewedKey.empty())
        return;
    m_list.RemoveKeyFromCombo(m_strViewedKey);
    m_strViewedKey.clear();
}

void EntryForm::CheckRadio(int id)
{
    ::CheckRadioButton(m_dialog.hwnd(), IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, id);
}

bool EntryForm::IsChecked(int id) const { return ::IsDlgButtonChecked(m_dialog.hwnd(), id) == BST_CHECKED; }

bool EntryForm::IsEditable() const { return ::IsWindowEnabled(Item(IDC_ACCEPT)) != FALSE; }

void EntryForm::Enable(int id, bool enable) const { ::EnableWindow(Item(id), enable); }
