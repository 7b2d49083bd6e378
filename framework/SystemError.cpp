#include "framework/SystemError.h"
#include "framework/WideText.h"
#include <windows.h>

std::string SystemErrorText(unsigned long errorCode)
{
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length ? Utf8(std::wstring_view(text, length)) : "error " + std::to_string(errorCode);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}
