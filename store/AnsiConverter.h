#pragma once

#include <string>
#include <string_view>

// Text in the system's 8-bit ANSI code page, as settings files of old were written,
// turned into UTF-8. Only the system knows its code page: the store takes the
// conversion from its caller so that it stays window-free; the program passes the
// system's (framework/AnsiCodePage.h), tests a fixed code page.
class AnsiConverter {
public:
    virtual ~AnsiConverter() = default;
    virtual std::string ToUtf8(std::string_view ansi) const = 0;
};
