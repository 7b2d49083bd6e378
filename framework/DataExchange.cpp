#include "framework/DataExchange.h"
#include "framework/MessageBox.h"

namespace {
std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
}

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
    LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    value.clear();
    if (index != CB_ERR) {
        value.resize(static_cast<size_t>(::SendMessageA(combo, CB_GETLBTEXTLEN, index, 0)) + 1);
        value.resize(static_cast<size_t>(::SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(value.data()))));
    }
}
