#pragma once

#include "store/AnsiConverter.h"

// A fixed stand-in for the system's ANSI code page in native tests and the fuzzer:
// ISO 8859-1, whose 256 characters are the first 256 of UTF-16. Anything else
// becomes "?", as the system's conversion does with its default character.
class Latin1CodePage : public AnsiConverter {
public:
    AnsiText ToAnsi(std::u16string_view utf16) const override
    {
        AnsiText out;
        out.text.reserve(utf16.size());
        for (std::size_t i = 0; i < utf16.size(); ++i) {
            const char16_t unit = utf16[i];
            if (unit <= 0xFF) {
                out.text += static_cast<char>(unit);
                continue;
            }
            out.text += '?';
            out.lossy = true;
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size()) ++i;  // one "?" for a pair
        }
        return out;
    }
};
