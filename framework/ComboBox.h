#pragma once
#include "framework/WideText.h"
#include <windows.h>
#include <string>
#include <vector>

// A non-owning view of a combo box control.
class ComboBox {
public:
    ComboBox() = default;
    explicit ComboBox(HWND control) : m_hwnd(control) {}
    HWND hwnd() const { return m_hwnd; }

    int Count() const { return static_cast<int>(Send(CB_GETCOUNT, 0, 0)); }
    std::string Text(int index) const
    {
        std::wstring text(static_cast<size_t>(Send(CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
        LRESULT length = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length == CB_ERR ? 0 : static_cast<size_t>(length));
        return Utf8(text);
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries;
        for (int i = 0; i < Count(); ++i)
            entries.push_back(Text(i));
        return entries;
    }
    // The entries, in this order, in place of the ones there were; none selected.
    void SetEntries(const std::vector<std::string>& entries)
    {
        Send(CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : entries)
            Add(entry);
    }
    void Add(const std::string& text) { Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())); }
    void Insert(int index, const std::string& text) { Send(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Wide(text).c_str())); }
    void Delete(int index) { Send(CB_DELETESTRING, index, 0); }
    // Exact match without regard to case; -1 when absent.
    int FindExact(const std::string& text) const
    {
        LRESULT index = Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Wide(text).c_str()));
        return index == CB_ERR ? -1 : static_cast<int>(index);
    }
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL, 0, 0)); }
    void Select(int index) { Send(CB_SETCURSEL, index, 0); }

private:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendMessageW(m_hwnd, message, wParam, lParam); }
    HWND m_hwnd = nullptr;
};
