#include "store/Utf8Text.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::uint8_t Byte(std::string_view bytes, std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); }

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the well-formed UTF-8 sequence at `i`, or 0 when the bytes there are
// none (overlong forms, surrogates and values past U+10FFFF included).
std::size_t SequenceLength(std::string_view bytes, std::size_t i)
{
    const std::uint8_t lead = Byte(bytes, i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    // The range the second byte must lie in; later bytes are 80..BF.
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const std::uint8_t next = Byte(bytes, i + k);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return 0;
    }
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::size_t Utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = SequenceLength(utf8, i);
        units += length == 4 ? 2 : 1;
        i += length == 0 ? 1 : length;
    }
    return units;
}

std::string Utf8FromUtf16(std::u16string_view utf16, std::size_t& unpaired)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t n = 0; n < utf16.size(); ++n) {
        const char16_t unit = utf16[n];
        if (IsHighSurrogate(unit) && n + 1 < utf16.size() && IsLowSurrogate(utf16[n + 1])) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (utf16[n + 1] - 0xDC00));
            ++n;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
            ++unpaired;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string ValidUtf8(std::string_view text, std::size_t& unreadable)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = SequenceLength(text, i);
        if (length == 0) {
            AppendUtf8(out, kReplacement);
            ++unreadable;
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<std::uint8_t>(c) >= 0x80) return false;
    }
    return true;
}
