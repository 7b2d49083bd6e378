#include "editor/ShortcutFields.h"
#include "editor/FileDialogs.h"
#include "framework/MessageBox.h"
#include "res/MessageTexts.h"
#include "res/resource.h"
#include "store/KeyText.h"
#include "store/Shortcut.h"

namespace {

constexpr size_t kMaxTextChars = 200;

constexpr char kPathHint[] = "optional: enter path or URL here";
constexpr char kRecipientHint[] = "optional: add recipient here";
constexpr char kMailto[] = "mailto:";
constexpr char kImagePrompt[] = "Paste clipboard image here.";


constexpr int kPathControls[] = {IDC_FOLDER_BROWSE, IDC_FILE_BROWSE, IDC_PATH, IDC_EMAIL};
constexpr int kKindRadios[] = {IDC_PATH_RADIO, IDC_TEXT_RADIO, IDC_GRAPHIC_RADIO};

int RadioOf(ShortcutKind kind)
{
    switch (kind) {
    case ShortcutKind::Path: return IDC_PATH_RADIO;
    case ShortcutKind::Text: return IDC_TEXT_RADIO;
    case ShortcutKind::Graphic: break;
    }
    return IDC_GRAPHIC_RADIO;
}

}  // namespace

ShortcutFields::ShortcutFields(Dialog& dialog, FieldsRole role) : DialogPart(dialog), m_role(role) {}

void ShortcutFields::Attach()
{
    m_cbKey = ComboBox(m_dialog.Item(IDC_KEY_COMBO));
    m_edPath.Attach(m_dialog.Item(IDC_PATH));
    // Typing and pasting stop there: the hotkey would refuse a longer path.
    ::SendMessageW(m_edPath.hwnd(), EM_LIMITTEXT, kMaxPathChars, 0);
    m_edImage.Attach(m_dialog.Item(IDC_IMAGE));
}

void ShortcutFields::StartWithPath()
{
    m_kind = ShortcutKind::Path;
    m_dialog.CheckRadio(IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, IDC_PATH_RADIO);
    m_edImage.EnablePaste(false);
    ::SendMessageW(m_edPath.hwnd(), EM_SETSEL, 0, 0);
    AskForPath();
}

void ShortcutFields::Exchange(DataExchange& dx)
{
    // The edit dialog's combo is the key's only source once the dialog is up: writing
    // the key back would undo the user's pick whenever a kind's radio is clicked.
    if (m_role == FieldsRole::Compose || dx.saving())
        dx.ComboText(IDC_KEY_COMBO, m_strKey);
    dx.Text(IDC_PATH, m_strPath);
    dx.Text(IDC_TEXT, m_strText);
    // A row shown read-only is what was loaded, however long: nothing of it is the
    // user's to correct.
    if (m_bEditable || !dx.saving())
        dx.MaxChars(IDC_TEXT, m_strText, kMaxTextChars);
    m_edImage.ExchangeText(dx, IDC_IMAGE, m_strImage);
}

std::optional<LRESULT> ShortcutFields::OnCommand(WORD id, WORD code)
{
    if (code != BN_CLICKED)
        return std::nullopt;
    switch (id) {
    case IDC_PATH_RADIO: OnKindRadio(ShortcutKind::Path); break;
    case IDC_TEXT_RADIO: OnKindRadio(ShortcutKind::Text); break;
    case IDC_GRAPHIC_RADIO: OnKindRadio(ShortcutKind::Graphic); break;
    case IDC_FOLDER_BROWSE: OnFolderBrowseButton(); break;
    case IDC_FILE_BROWSE: OnFileBrowseButton(); break;
    case IDC_EMAIL: OnEmailButton(); break;
    default: return std::nullopt;
    }
    return 0;
}

void ShortcutFields::OfferKeys(const std::vector<std::string>& keys, const std::string& selected)
{
    m_cbKey.SetEntries(keys);
    const int index = m_cbKey.FindExact(selected);
    m_cbKey.Select(index >= 0 ? index : 0);
}

void ShortcutFields::SetEditable(bool editable)
{
    m_bEditable = editable;
    for (int radio : kKindRadios)
        m_dialog.Enable(radio, editable);
    ShowKindControls();
}

// The radio has checked itself already.
void ShortcutFields::OnKindRadio(ShortcutKind kind)
{
    m_kind = kind;
    ApplyKind();
    if (kind == ShortcutKind::Path)
        OfferNewPath();
}

void ShortcutFields::SelectKind(ShortcutKind kind)
{
    m_kind = kind;
    m_dialog.CheckRadio(IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, RadioOf(kind));
    ApplyKind();
}

void ShortcutFields::Show(const Shortcut& shortcut)
{
    switch (shortcut.kind) {
    case ShortcutKind::Path: m_strPath = shortcut.payload; break;
    case ShortcutKind::Text: m_strText = shortcut.payload; break;
    case ShortcutKind::Graphic:
        m_strImage = shortcut.payload;
        m_edImage.SetSavedFile(shortcut.payload);
        break;
    }
    SelectKind(shortcut.kind);
}

void ShortcutFields::ApplyKind()
{
    switch (m_kind) {
    case ShortcutKind::Path: ApplyPathMode(); break;
    case ShortcutKind::Text: ApplyTextMode(); break;
    case ShortcutKind::Graphic: ApplyGraphicMode(); break;
    }
}

// The form's picture box speaks only for the picture kind; the edit dialog leaves
// every field as it was, and writes back only what it changed.
void ShortcutFields::ApplyPathMode()
{
    ShowKindControls();
    if (m_role == FieldsRole::Compose)
        m_strImage.clear();
}

void ShortcutFields::ApplyTextMode()
{
    ShowKindControls();
    HideHint();
    if (m_role == FieldsRole::Compose) {
        m_strImage.clear();
        UpdateData(false);
    }
}

void ShortcutFields::ApplyGraphicMode()
{
    ShowKindControls();
    m_dialog.Enable(IDC_GRAPHIC_RADIO, m_bEditable);
    HideHint();
    // A shown picture keeps its file name; anything else gives way to the prompt.
    const bool prompt = !PathHasDrive(m_strImage);
    if (prompt)
        m_strImage = kImagePrompt;
    if (prompt || m_role == FieldsRole::Compose)
        UpdateData(false);
}

void ShortcutFields::ShowKindControls()
{
    for (int id : kPathControls)
        m_dialog.Enable(id, m_bEditable && m_kind == ShortcutKind::Path);
    m_dialog.Enable(IDC_TEXT, m_bEditable && m_kind == ShortcutKind::Text);
    m_edImage.EnablePaste(m_bEditable && m_kind == ShortcutKind::Graphic);
}

void ShortcutFields::Reset()
{
    m_strPath.clear();
    m_strText.clear();
    m_strImage = m_kind == ShortcutKind::Graphic ? kImagePrompt : "";
    m_edImage.SetSavedFile({});
    UpdateData(false);
}

void ShortcutFields::OfferNewPath()
{
    m_strPath.clear();
    UpdateData(false);
    AskForPath();
}

void ShortcutFields::HideHint() { m_edPath.ShowHint(false); }

void ShortcutFields::AskForPath()
{
    ::SetFocus(m_edPath.hwnd());
    ::SetCaretPos(0, 0);
    m_edPath.SetHintText(kPathHint);
    m_edPath.ShowHint(true);
}

void ShortcutFields::AskForRecipient()
{
    m_edPath.SetHintText(kRecipientHint);
    m_edPath.ShowHint(true);
    HWND box = m_edPath.hwnd();
    ::SetFocus(box);
    const auto end = static_cast<WPARAM>(::GetWindowTextLengthW(box));
    ::SendMessageW(box, EM_SETSEL, end, static_cast<LPARAM>(end));
    ::SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void ShortcutFields::OnFolderBrowseButton()
{
    const std::optional<std::string> folder = ChooseFolder();
    if (!folder)
        return;
    HideHint();
    m_strPath = *folder;
    UpdateData(false);
}

void ShortcutFields::OnFileBrowseButton()
{
    const std::optional<std::string> file = ChooseFile(m_dialog.hwnd());
    if (!file)
        return;
    m_strPath = *file;
    UpdateData(false);
    HideHint();
}

void ShortcutFields::OnEmailButton()
{
    m_strPath = kMailto;
    UpdateData(false);
    AskForRecipient();
}

std::optional<std::string> ShortcutFields::TakePayload()
{
    switch (m_kind) {
    case ShortcutKind::Path:
        m_strPath = TrimWhitespace(m_strPath);
        if (m_strPath.empty()) {
            ShowMessage(m_dialog.hwnd(), kNoPath, MB_OK | MB_ICONWARNING);
            return std::nullopt;
        }
        return m_strPath;
    case ShortcutKind::Graphic:
        // The prompt texts have no drive letter; only a chosen place has.
        if (!PathHasDrive(m_edImage.SavedFile())) {
            ShowMessage(m_dialog.hwnd(), kNoImage, MB_OK | MB_ICONWARNING);
            return std::nullopt;
        }
        // A row must not point to a picture that was never written; the fields keep
        // their input, so the user can paste again and choose another place.
        if (!m_edImage.PlacePastedImage(m_dialog.hwnd()))
            return std::nullopt;
        return m_edImage.SavedFile();
    case ShortcutKind::Text:
        break;
    }
    // An existing shortcut may be changed to an empty text; a new one needs some.
    if (m_role == FieldsRole::Compose && m_strText.empty()) {
        ShowMessage(m_dialog.hwnd(), kNoText, MB_OK | MB_ICONWARNING);
        return std::nullopt;
    }
    return m_strText;
}

std::string ShortcutFields::Payload() const
{
    switch (m_kind) {
    case ShortcutKind::Path: return m_strPath;
    case ShortcutKind::Text: return m_strText;
    case ShortcutKind::Graphic: break;
    }
    return m_edImage.SavedFile();
}

bool ShortcutFields::HoldsInput()
{
    switch (m_kind) {
    case ShortcutKind::Path:
        m_strPath = TrimWhitespace(m_strPath);
        return !m_strPath.empty();
    case ShortcutKind::Graphic:
        return PathHasDrive(m_edImage.SavedFile());
    case ShortcutKind::Text:
        break;
    }
    return !m_strText.empty();
}

void ShortcutFields::DeletePendingPicture() { m_edImage.DeleteTempFile(); }
