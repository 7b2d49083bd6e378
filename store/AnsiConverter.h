#pragma once

#include <string>
#include <string_view>

// Text in the system's 8-bit ANSI code page, made from UTF-16.
struct AnsiText {
    std::string text;
    bool lossy = false;  // some character has no equivalent in the code page and was replaced
};

// The conversion of UTF-16 text to the ANSI code page, which only the system knows.
// The store takes it from its caller so that it stays window-free; the program
// passes the system's (framework/AnsiCodePage.h), tests a fixed code page.
class AnsiConverter {
public:
    virtual ~AnsiConverter() = default;

    // `utf16` is well-formed: every surrogate is one of a pair.
    virtual AnsiText ToAnsi(std::u16string_view utf16) const = 0;
};
