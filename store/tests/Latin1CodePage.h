#pragma once

#include "store/AnsiConverter.h"

// A fixed stand-in for the system's ANSI code page in native tests and the fuzzer:
// ISO 8859-1, whose 256 characters are U+0000 to U+00FF (code page 1252 agrees with it
// on every letter the tests use).
class Latin1CodePage : public AnsiConverter {
public:
    std::string ToUtf8(std::string_view ansi) const override
    {
        std::string out;
        out.reserve(ansi.size() * 2);
        for (const char c : ansi) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                out += c;
            } else {
                out += static_cast<char>(0xC0 | (byte >> 6));
                out += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        return out;
    }
};
