#include "store/ProfileText.h"

#include <optional>
#include <string_view>

#include "store/KeyText.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// One line of the normalized text: its content is [begin, end), the next line starts at next.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

std::vector<Line> SplitLines(const std::string& bytes)
{
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t lf = bytes.find('\n', begin);
        // Normalized text ends every line in CR LF; the guard keeps odd input safe anyway.
        if (lf == std::string::npos) {
            lines.push_back({begin, bytes.size(), bytes.size()});
            break;
        }
        const std::size_t end = (lf > begin && bytes[lf - 1] == '\r') ? lf - 1 : lf;
        lines.push_back({begin, end, lf + 1});
        begin = lf + 1;
    }
    return lines;
}

std::string_view Content(const std::string& bytes, const Line& line)
{
    return std::string_view(bytes).substr(line.begin, line.end - line.begin);
}

// Where a section lies: its header line and its body lines [bodyBegin, bodyEnd).
struct SectionSpan {
    std::size_t header;
    std::size_t bodyBegin;
    std::size_t bodyEnd;
};

std::optional<SectionSpan> FindSection(const std::string& bytes, const std::vector<Line>& lines,
                                       const std::string& section)
{
    const std::string wanted = TrimWhitespace(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string> name = ProfileText::SectionName(Content(bytes, lines[i]));
        if (!name || !EqualsNoCase(*name, wanted)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !ProfileText::SectionName(Content(bytes, lines[end]))) ++end;
        return SectionSpan{i, i + 1, end};
    }
    return std::nullopt;
}

}  // namespace

std::string ProfileText::NormalizeLineEnds(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out += line;
        out += kLineEnd;
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    }
    return out;
}

std::optional<std::string> ProfileText::SectionName(std::string_view line)
{
    const std::string trimmed = TrimWhitespace(line);
    if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
    const std::size_t close = trimmed.rfind(']');
    if (close == std::string::npos || close == 0) return std::nullopt;
    return TrimWhitespace(std::string_view(trimmed).substr(1, close - 1));
}

std::optional<std::string> ProfileText::EntryKey(std::string_view line)
{
    const std::string trimmed = TrimWhitespace(line);
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return TrimWhitespace(std::string_view(trimmed).substr(0, equals));
}

ProfileText::ProfileText(std::string fileBytes) : bytes_(NormalizeLineEnds(fileBytes)) {}

std::vector<ProfileEntry> ProfileText::ReadSection(const std::string& section) const
{
    std::vector<ProfileEntry> entries;
    const std::vector<Line> lines = SplitLines(bytes_);
    const std::optional<SectionSpan> span = FindSection(bytes_, lines, section);
    if (!span) return entries;
    for (std::size_t i = span->bodyBegin; i < span->bodyEnd; ++i) {
        const std::string line = TrimWhitespace(Content(bytes_, lines[i]));
        if (line.empty()) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            entries.push_back({std::string(), line});
        } else {
            entries.push_back({ToUpperAscii(std::string_view(line).substr(0, equals)), line.substr(equals + 1)});
        }
    }
    return entries;
}

void ProfileText::WriteEntry(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string entryLines = NormalizeLineEnds(key + "=" + value);
    const std::vector<Line> lines = SplitLines(bytes_);
    const std::optional<SectionSpan> span = FindSection(bytes_, lines, section);
    if (!span) {
        bytes_ += NormalizeLineEnds("[" + section + "]");
        bytes_ += entryLines;
        return;
    }

    const std::string wantedKey = TrimWhitespace(key);
    std::size_t insertAt = lines[span->header].next;
    for (std::size_t i = span->bodyBegin; i < span->bodyEnd; ++i) {
        const std::string line = TrimWhitespace(Content(bytes_, lines[i]));
        if (line.empty()) continue;
        insertAt = lines[i].next;
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos &&
            EqualsNoCase(TrimWhitespace(std::string_view(line).substr(0, equals)), wantedKey)) {
            bytes_.replace(lines[i].begin, lines[i].next - lines[i].begin, entryLines);
            return;
        }
    }
    bytes_.insert(insertAt, entryLines);
}

std::vector<ProfileBlock> ProfileText::Blocks() const
{
    std::vector<ProfileBlock> blocks(1);
    for (const Line& line : SplitLines(bytes_)) {
        const std::string_view content = Content(bytes_, line);
        std::optional<std::string> name = SectionName(content);
        if (name) {
            blocks.push_back({std::move(name), content, {}});
        } else {
            blocks.back().body.push_back(content);
        }
    }
    return blocks;
}
