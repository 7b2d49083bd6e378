#include "store/ContentsEscaping.h"

std::string EscapeContents(const std::string& text)
{
    std::string value;
    value.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            value += "{{";
        } else if (c == '\r' || c == '\n') {
            value += "{}";
            // The other half of a CR LF or LF CR pair belongs to the same break.
            const char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && text[i + 1] == partner) ++i;
        } else {
            value += c;
        }
    }
    return value;
}

std::string UnescapeContents(const std::string& value)
{
    std::string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c != '{') {
            text += c;
        } else if (i + 1 == value.size()) {
            text += "\r\n";
        } else if (value[i + 1] == '}') {
            text += "\r\n";
            ++i;
        } else if (value[i + 1] == '{') {
            text += '{';
            ++i;
        }
        // Otherwise the lone "{" is dropped and the next character read as usual.
    }
    return text;
}
