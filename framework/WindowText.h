#pragma once
#include <windows.h>
#include <string>

// The window's text (a control's content or caption) as the program's 8-bit string.
inline std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
