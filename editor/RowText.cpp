#include "editor/RowText.h"

namespace {
constexpr std::string_view kLineBreakMark = "\xC2\xB6";  // U+00B6, the pilcrow
}

std::string KindName(ShortcutKind kind)
{
    switch (kind) {
    case ShortcutKind::Path: return "Path";
    case ShortcutKind::Text: return "Text";
    case ShortcutKind::Graphic: return "Graphic";
    }
    return {};
}

std::string OnOneLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        line += kLineBreakMark;
        // The other half of a CR LF or LF CR pair belongs to the same break.
        const char partner = c == '\r' ? '\n' : '\r';
        if (i + 1 < text.size() && text[i + 1] == partner) ++i;
    }
    return line;
}
