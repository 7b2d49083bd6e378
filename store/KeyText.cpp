#include "store/KeyText.h"

namespace {

char UpperAsciiChar(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view TrimLeftView(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && IsWhitespace(text[begin])) ++begin;
    return text.substr(begin);
}

std::string_view TrimRightView(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsWhitespace(text[end - 1])) --end;
    return text.substr(0, end);
}

}  // namespace

bool IsWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimWhitespace(std::string_view text)
{
    return std::string(TrimRightView(TrimLeftView(text)));
}

std::string TrimLeft(std::string_view text)
{
    return std::string(TrimLeftView(text));
}

std::string TrimRight(std::string_view text)
{
    return std::string(TrimRightView(text));
}

std::string ToUpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) c = UpperAsciiChar(c);
    return upper;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAsciiChar(a[i]) != UpperAsciiChar(b[i])) return false;
    }
    return true;
}

bool PathHasDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':';
}

std::string ListKeyText(const std::string& keyName)
{
    const std::size_t firstPlus = keyName.find('+');
    if (firstPlus == std::string::npos || firstPlus == 0) return keyName;
    return ToUpperAscii(std::string_view(keyName).substr(keyName.rfind('+') + 1));
}
