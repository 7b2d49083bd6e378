#pragma once
#include <windows.h>
#include <string>

// Moves values between a dialog's controls and its members in one direction.
// A refused field shows its message, takes the focus and marks the exchange failed;
// later calls of the same exchange then do nothing.
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}
    bool saving() const { return m_saving; }
    bool failed() const { return m_failed; }

    void Text(int id, std::string& value);
    // The box stops at `maxChars` characters as it counts them (UTF-16 units); a longer
    // value put there from outside is refused.
    void MaxChars(int id, const std::string& value, size_t maxChars);
    // Drop-down list: saving reads the selected entry; loading selects the first entry
    // that begins with the value and keeps the selection when none does.
    void ComboText(int id, std::string& value);

private:
    HWND m_dialog;
    bool m_saving;
    bool m_failed = false;
};
