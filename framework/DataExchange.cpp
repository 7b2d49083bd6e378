#include "framework/DataExchange.h"
#include "framework/ComboBox.h"
#include "framework/MessageBox.h"
#include "framework/WindowText.h"
#include "res/MessageTexts.h"
#include "store/Utf8Text.h"

void DataExchange::Text(int id, std::string& value)
{
    if (m_failed)
        return;
    HWND control = ::GetDlgItem(m_dialog, id);
    if (m_saving)
        value = WindowText(control);
    else
        SetWindowTextUtf8(control, value);
}

void DataExchange::MaxChars(int id, const std::string& value, size_t maxChars)
{
    if (m_failed)
        return;
    HWND control = ::GetDlgItem(m_dialog, id);
    if (!m_saving) {
        ::SendMessageW(control, EM_LIMITTEXT, maxChars, 0);
        return;
    }
    // Counted as the box counts: in UTF-16 units.
    if (Utf16Length(value) > maxChars) {
        ShowMessage(m_dialog, Filled(kTooManyCharacters, {std::to_string(maxChars)}), MB_OK | MB_ICONWARNING);
        ::SetFocus(control);
        m_failed = true;
    }
}

void DataExchange::ComboText(int id, std::string& value)
{
    if (m_failed)
        return;
    HWND combo = ::GetDlgItem(m_dialog, id);
    if (!m_saving) {
        ::SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Wide(value).c_str()));
        return;
    }
    const ComboBox box(combo);
    const int selected = box.Selection();
    value = selected == CB_ERR ? std::string() : box.Text(selected);
}
