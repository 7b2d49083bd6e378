#include "editor/EntryForm.h"
#include "res/resource.h"

namespace {
constexpr size_t kMaxTextChars = 200;
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
    ::CheckRadioButton(m_dialog.hwnd(), IDC_PATH_RADIO, IDC_GRAPHIC_RADIO, IDC_PATH_RADIO);
    ::SendMessageA(Item(IDC_IMAGE), EM_SETREADONLY, TRUE, 0);
    ::SetFocus(Item(IDC_PATH));
    ::SendMessageA(Item(IDC_PATH), EM_SETSEL, 0, 0);
    ::SetCaretPos(0, 0);
}

void EntryForm::OnShow()
{
    if (::IsDlgButtonChecked(m_dialog.hwnd(), IDC_PATH_RADIO) != BST_CHECKED)
        return;
    m_strPath.clear();
    m_dialog.UpdateData(false);
    ::SetFocus(Item(IDC_PATH));
    ::SetCaretPos(0, 0);
}

std::optional<LRESULT> EntryForm::OnCommand(WORD, WORD) { return std::nullopt; }

std::optional<LRESULT> EntryForm::OnNotify(const NMHDR&) { return std::nullopt; }

std::optional<LRESULT> EntryForm::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }
