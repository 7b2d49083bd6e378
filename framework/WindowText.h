#pragma once
#include "framework/WideText.h"
#include <windows.h>
#include <string>

// A window's text (a control's content or caption), in the program's UTF-8.
inline std::string WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

inline void SetWindowTextUtf8(HWND window, const std::string& text) { ::SetWindowTextW(window, Wide(text).c_str()); }
