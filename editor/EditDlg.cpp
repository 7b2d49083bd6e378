#include "editor/EditDlg.h"
#include "app/WindowMessages.h"
#include "editor/FileDialogs.h"
#include "editor/FormCommands.h"
#include "framework/MessageBox.h"
#include "res/resource.h"
#include "store/KeyText.h"
#include "store/ShortcutKind.h"

namespace {
constexpr size_t kMaxTextChars = 200;

constexpr char kNoPath[] = "Please choose path.";
constexpr char kNoImage[] = "Please paste a image in the editbox.";

constexpr int kPathControls[] = {IDC_FOLDER_BROWSE, IDC_FILE_BROWSE, IDC_PATH, IDC_EMAIL};
constexpr int kPath = static_cast<int>(ShortcutKind::Path);
constexpr int kText = static_cast<int>(ShortcutKind::Text);
constexpr int kGraphic = static_cast<int>(ShortcutKind::Graphic);
}

CEditDlg::CEditDlg(const ComboBox& mainKeys) : Dialog(IDD_EDIT), m_mainKeys(mainKeys) {}

void CEditDlg::DoDataExchange(DataExchange& dx)
{
    dx.Text(IDC_TEXT, m_strText);
    dx.Text(IDC_PATH, m_strPath);
    // The combo is the key's only source once the dialog is up: writing m_strKey back
    // would undo the user's pick whenever a kind's radio is clicked.
    if (dx.saving())
        dx.ComboText(IDC_KEY_COMBO, m_strKey);
    dx.Text(IDC_IMAGE, m_strImage);
}

bool CEditDlg::OnInitDialog()
{
    m_cbKey = ComboBox(Item(IDC_KEY_COMBO));
    m_edImage.Attach(Item(IDC_IMAGE));
    m_edPath.Attach(Item(IDC_PATH));
    Dialog::OnInitDialog();

    for (const std::string& key : m_mainKeys.Entries())
        m_cbKey.Add(key);
    m_cbKey.Select(m_mainKeys.Selection());

    switch (m_nKind) {
    case kPath:
        ::CheckRadioButton(hwnd(), IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, IDC_PATH_RADIO);
        EnableKindControls(kPath);
        break;
    case kText:
        ::CheckRadioButton(hwnd(), IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, IDC_TEXT_RADIO);
        OnTextRadio();
        break;
    default:
        ::CheckRadioButton(hwnd(), IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, IDC_GRAPHIC_RADIO);
        OnGraphicRadio();
        break;
    }
    return true;
}

std::optional<LRESULT> CEditDlg::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    if (message == kSaveBitmapMessage) {
        OnSaveBitmapButton();
        return 0;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return std::nullopt;
    switch (LOWORD(wParam)) {
    case IDC_PATH_RADIO: OnPathRadio(); break;
    case IDC_TEXT_RADIO: OnTextRadio(); break;
    case IDC_GRAPHIC_RADIO: OnGraphicRadio(); break;
    case IDC_FOLDER_BROWSE: OnFolderBrowseButton(); break;
    case IDC_FILE_BROWSE: OnFileBrowseButton(); break;
    case IDC_EMAIL: OnEmailButton(); break;
    case IDC_SAVE_BITMAP: OnSaveBitmapButton(); break;
    default: return std::nullopt;
    }
    return 0;
}

void CEditDlg::OnPathRadio()
{
    EnableKindControls(kPath);
    m_strPath.clear();
    UpdateData(false);
    PromptForPath(m_edPath);
}

// The text box keeps what it shows: nothing is written back here.
void CEditDlg::OnTextRadio()
{
    EnableKindControls(kText);
    m_edPath.ShowHint(false);
}

void CEditDlg::OnGraphicRadio()
{
    EnableKindControls(kGraphic);
    m_edPath.ShowHint(false);
    // An edited picture keeps its file name; anything else gives way to the prompt.
    if (!PathHasDrive(m_strImage)) {
        m_strImage = kImagePrompt;
        UpdateData(false);
    }
}

void CEditDlg::OnFolderBrowseButton()
{
    const std::optional<std::string> folder = ChooseFolder();
    if (!folder)
        return;
    m_edPath.ShowHint(false);
    m_strPath = *folder;
    UpdateData(false);
}

void CEditDlg::OnFileBrowseButton()
{
    const std::optional<std::string> file = ChooseFile(hwnd());
    if (!file)
        return;
    m_strPath = *file;
    UpdateData(false);
    m_edPath.ShowHint(false);
}

void CEditDlg::OnEmailButton()
{
    m_strPath = kMailto;
    UpdateData(false);
    PromptForRecipient(m_edPath);
}

void CEditDlg::OnSaveBitmapButton()
{
    if (!UpdateData(true))
        return;
    if (const std::optional<std::string> location = AskPastedImageLocation(hwnd(), m_strImage)) {
        m_strImage = *location;
        UpdateData(false);
    }
}

void CEditDlg::OnOK()
{
    if (!UpdateData(true) || !TakePayload())
        return;
    // Not through the base's OK: it would read the controls again and hand back the
    // path untrimmed.
    End(IDOK);
}

bool CEditDlg::TakePayload()
{
    if (IsChecked(IDC_PATH_RADIO)) {
        m_strPath = TrimWhitespace(m_strPath);
        if (m_strPath.empty()) {
            ShowMessage(hwnd(), kNoPath);
            return false;
        }
        m_nKind = kPath;
        return true;
    }
    if (IsChecked(IDC_TEXT_RADIO)) {
        // Unlike the form, an empty text is a valid change here.
        if (m_strText.size() > kMaxTextChars)
            return false;
        m_nKind = kText;
        return true;
    }
    // The prompt texts have no drive letter; only a chosen location has.
    if (!PathHasDrive(m_edImage.m_strSavedFile)) {
        ShowMessage(hwnd(), kNoImage);
        return false;
    }
    // The row must not point to a picture that was never written; the dialog stays,
    // so the user can paste again and choose another place.
    if (!m_edImage.PlacePastedImage(hwnd()))
        return false;
    m_nKind = kGraphic;
    return true;
}

void CEditDlg::EnableKindControls(int kind)
{
    for (int id : kPathControls)
        Enable(id, kind == kPath);
    Enable(IDC_TEXT, kind == kText);
    Enable(IDC_SAVE_BITMAP, kind == kGraphic);
    m_edImage.EnablePaste(kind == kGraphic);
}
