#include "store/KeyNames.h"

#include <climits>
#include <cstdint>

#include "store/KeyText.h"

namespace {

constexpr int kFunctionKeyBase = 111;  // VK_F1 - 1

std::array<std::string, kKeyNameCount> BuildKeyNames()
{
    std::array<std::string, kKeyNameCount> names;
    std::size_t i = 0;
    for (char c = '0'; c <= '9'; ++c) names[i++] = std::string(1, c);
    for (char c = 'A'; c <= 'Z'; ++c) names[i++] = std::string(1, c);
    for (int n = 1; n <= 12; ++n) names[i++] = "F" + std::to_string(n);
    return names;
}

// atoi with the Windows C runtime's answer to overflow: the result is clamped to
// the int range, where the standard atoi would be undefined.
int ParseLeadingInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsWhitespace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulated as a magnitude that stops growing once it is past any int.
    constexpr std::int64_t kCap = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > kCap) magnitude = kCap;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);  // -kCap is INT_MIN
}

}  // namespace

const std::array<std::string, kKeyNameCount>& KeyNames()
{
    static const std::array<std::string, kKeyNameCount> names = BuildKeyNames();
    return names;
}

int KeyCodeFromName(const std::string& name)
{
    if (name.size() == 1) return static_cast<unsigned char>(name[0]);
    if (name.size() > 1 && name[0] == 'F') {
        const std::int64_t code =
            kFunctionKeyBase + static_cast<std::int64_t>(ParseLeadingInt(std::string_view(name).substr(1)));
        return code > INT_MAX ? INT_MAX : static_cast<int>(code);
    }
    return -1;
}
