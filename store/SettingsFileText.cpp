#include "store/SettingsFileText.h"

#include <cstdint>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

constexpr char16_t kReplacement = u'?';
constexpr std::size_t kUnitBytes = 2;

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::uint8_t Byte(std::string_view bytes, std::size_t i)
{
    return static_cast<std::uint8_t>(bytes[i]);
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendCodePoint(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// The length of the well-formed UTF-8 sequence at `i` and its code point, or 0 when
// the bytes there are none (overlong forms, surrogates and values past U+10FFFF
// included).
std::size_t Utf8Sequence(std::string_view bytes, std::size_t i, char32_t& c)
{
    const std::uint8_t lead = Byte(bytes, i);
    std::size_t length = 0;
    // The range the second byte must lie in; later bytes are 80..BF.
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const std::uint8_t next = Byte(bytes, i + k);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    return length;
}

std::u16string DecodeUtf8(std::string_view bytes, std::size_t& unreadable)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (Byte(bytes, i) < 0x80) {
            out += static_cast<char16_t>(Byte(bytes, i++));
            continue;
        }
        char32_t c = 0;
        const std::size_t length = Utf8Sequence(bytes, i, c);
        if (length == 0) {
            out += kReplacement;
            ++unreadable;
            ++i;
            continue;
        }
        AppendCodePoint(out, c);
        i += length;
    }
    return out;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian, std::size_t& unreadable)
{
    const std::size_t count = bytes.size() / kUnitBytes;
    unreadable += bytes.size() % kUnitBytes;
    const auto unitAt = [&](std::size_t n) {
        const std::uint8_t first = Byte(bytes, n * kUnitBytes), second = Byte(bytes, n * kUnitBytes + 1);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::u16string out;
    out.reserve(count);
    for (std::size_t n = 0; n < count; ++n) {
        const char16_t unit = unitAt(n);
        if (IsHighSurrogate(unit) && n + 1 < count && IsLowSurrogate(unitAt(n + 1))) {
            out += unit;
            out += unitAt(++n);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            out += kReplacement;
            unreadable += kUnitBytes;
        } else {
            out += unit;
        }
    }
    return out;
}

}  // namespace

SettingsFileText DecodeSettingsFile(std::string_view bytes, const AnsiConverter& ansi)
{
    std::size_t unreadable = 0;
    std::u16string utf16;
    if (StartsWith(bytes, kUtf8Mark)) {
        utf16 = DecodeUtf8(bytes.substr(kUtf8Mark.size()), unreadable);
    } else if (StartsWith(bytes, kUtf16LittleEndianMark)) {
        utf16 = DecodeUtf16(bytes.substr(kUtf16LittleEndianMark.size()), false, unreadable);
    } else if (StartsWith(bytes, kUtf16BigEndianMark)) {
        utf16 = DecodeUtf16(bytes.substr(kUtf16BigEndianMark.size()), true, unreadable);
    } else {
        return {std::string(bytes), 0, false};
    }
    AnsiText converted = ansi.ToAnsi(utf16);
    return {std::move(converted.text), unreadable, converted.lossy};
}
