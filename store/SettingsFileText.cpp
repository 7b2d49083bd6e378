#include "store/SettingsFileText.h"

#include <cstdint>

#include "store/Utf8Text.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr std::size_t kUnitBytes = 2;

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::u16string Utf16Units(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / kUnitBytes);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += kUnitBytes) {
        const auto first = static_cast<std::uint8_t>(bytes[at]), second = static_cast<std::uint8_t>(bytes[at + 1]);
        units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return units;
}

SettingsFileText DecodeUtf16(std::string_view bytes, SettingsEncoding encoding)
{
    std::size_t unpaired = 0;
    SettingsFileText decoded;
    decoded.encoding = encoding;
    decoded.text = Utf8FromUtf16(Utf16Units(bytes, encoding == SettingsEncoding::Utf16BigEndian), unpaired);
    decoded.unreadableBytes = unpaired * kUnitBytes + bytes.size() % kUnitBytes;
    return decoded;
}

}  // namespace

SettingsFileText DecodeSettingsFile(std::string_view bytes, const AnsiConverter& ansi)
{
    if (StartsWith(bytes, kUtf16LittleEndianMark))
        return DecodeUtf16(bytes.substr(kUtf16LittleEndianMark.size()), SettingsEncoding::Utf16LittleEndian);
    if (StartsWith(bytes, kUtf16BigEndianMark))
        return DecodeUtf16(bytes.substr(kUtf16BigEndianMark.size()), SettingsEncoding::Utf16BigEndian);
    SettingsFileText decoded;
    if (StartsWith(bytes, kUtf8Mark)) {
        decoded.encoding = SettingsEncoding::Utf8WithMark;
        decoded.text = ValidUtf8(bytes.substr(kUtf8Mark.size()), decoded.unreadableBytes);
    } else if (IsValidUtf8(bytes)) {
        decoded.encoding = SettingsEncoding::Utf8;
        decoded.text = std::string(bytes);
    } else {
        decoded.encoding = SettingsEncoding::Ansi;
        decoded.text = ansi.ToUtf8(bytes);
    }
    return decoded;
}

std::string EncodeSettingsFile(const std::string& utf8)
{
    if (IsAscii(utf8)) return utf8;
    return std::string(kUtf8Mark) + utf8;
}
