#include "framework/DataExchange.h"
#include "framework/ComboBox.h"
#include "framework/MessageBox.h"
#include "framework/WindowText.h"

void DataExchange::Text(int id, std::string& value)
{
    if (m_failed)
        return;
    HWND control = ::GetDlgItem(m_dialog, id);
    if (m_saving)
        value = WindowText(control);
    else
        ::SetWindowTextA(control, value.c_str());
}

void DataExchange::MaxChars(int id, const std::string& value, size_t maxChars)
{
    if (m_failed)
        return;
    HWND control = ::GetDlgItem(m_dialog, id);
    if (!m_saving) {
        ::SendMessageA(control, EM_LIMITTEXT, maxChars, 0);
        return;
    }
    if (value.size() > maxChars) {
        ShowMessage(m_dialog, "Enter no more than " + std::to_string(maxChars) + " characters.");
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
        ::SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str()));
        return;
    }
    const ComboBox box(combo);
    const int selected = box.Selection();
    value = selected == CB_ERR ? std::string() : box.Text(selected);
}
