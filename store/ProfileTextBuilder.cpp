#include "store/ProfileTextBuilder.h"

#include <iterator>
#include <string_view>

#include "store/KeyText.h"
#include "store/ProfileText.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string Canonical(std::string_view name) { return ToUpperAscii(TrimWhitespace(name)); }

bool IsBlank(std::string_view line) { return TrimWhitespace(line).empty(); }

}  // namespace

ProfileTextBuilder::ProfileTextBuilder(const std::vector<std::string>& sections) : blocks_(1)
{
    for (const std::string& section : sections) names_.push_back(Canonical(section));
}

std::optional<std::size_t> ProfileTextBuilder::SectionIndex(const std::string& section) const
{
    const std::string wanted = Canonical(section);
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == wanted) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileTextBuilder::FirstPosition(std::size_t section) const
{
    for (std::size_t i = 0; i < firsts_.size(); ++i) {
        if (firsts_[i].section == section) return i;
    }
    return std::nullopt;
}

void ProfileTextBuilder::WriteEntry(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string entry = ProfileText::NormalizeLineEnds(key + "=" + value);
    const std::optional<std::size_t> index = SectionIndex(section);
    // A line break inside makes more than one line, which may hold headers of their own.
    if (!index || entry.find('\n') != entry.size() - 1) {
        WriteThroughText(section, key, value);
        return;
    }
    const std::string line = entry.substr(0, entry.size() - kLineEnd.size());
    const std::optional<std::string> header = ProfileText::SectionName(line);

    const std::optional<std::size_t> position = FirstPosition(*index);
    if (!position) {
        const std::string newHeader = ProfileText::NormalizeLineEnds("[" + section + "]");
        if (header || newHeader.find('\n') != newHeader.size() - 1) {
            WriteThroughText(section, key, value);
        } else {
            AppendSection(*index, newHeader.substr(0, newHeader.size() - kLineEnd.size()), line);
        }
        return;
    }
    Block& block = *firsts_[*position].block;
    const auto match = block.keys.find(Canonical(key));
    if (header) {
        // A header in place of an entry would cut the section in two.
        if (match != block.keys.end()) {
            WriteThroughText(section, key, value);
        } else {
            InsertHeader(*position, line, *header);
        }
        return;
    }
    if (match != block.keys.end()) {
        // The new line is found by the same key, so the index stays right.
        block.lines[match->second] = line;
        return;
    }
    block.lines.push_back(line);
    if (const std::optional<std::string> lineKey = ProfileText::EntryKey(line))
        block.keys.emplace(ToUpperAscii(*lineKey), block.lines.size() - 1);
}

void ProfileTextBuilder::AppendSection(std::size_t section, const std::string& header, const std::string& line)
{
    Block& block = blocks_.emplace_back();
    block.header = header;
    block.lines.push_back(line);
    IndexKeys(block);
    firsts_.push_back({section, std::prev(blocks_.end())});
}

// The new header goes after the last non-blank line of the block at `position` and
// takes the blank lines that followed it. It may be the first header of another
// section: when that section had none before this block.
void ProfileTextBuilder::InsertHeader(std::size_t position, const std::string& line, const std::string& name)
{
    const Blocks::iterator before = firsts_[position].block;
    Block inserted;
    inserted.header = line;
    inserted.blankTail = std::move(before->blankTail);
    before->blankTail.clear();
    const Blocks::iterator at = blocks_.insert(std::next(before), std::move(inserted));

    const std::optional<std::size_t> section = SectionIndex(name);
    if (!section) return;
    const std::optional<std::size_t> earlier = FirstPosition(*section);
    if (earlier && *earlier <= position) return;
    if (earlier) firsts_.erase(firsts_.begin() + static_cast<std::ptrdiff_t>(*earlier));
    firsts_.insert(firsts_.begin() + static_cast<std::ptrdiff_t>(position) + 1, First{*section, at});
}

void ProfileTextBuilder::WriteThroughText(const std::string& section, const std::string& key,
                                          const std::string& value)
{
    ProfileText text(Bytes());
    text.WriteEntry(section, key, value);
    Rebuild(text.Bytes());
}

void ProfileTextBuilder::Rebuild(const std::string& bytes)
{
    const ProfileText text(bytes);
    blocks_.clear();
    firsts_.clear();
    for (const ProfileBlock& cut : text.Blocks()) {
        Block& block = blocks_.emplace_back();
        if (cut.name) block.header = std::string(cut.header);
        std::size_t kept = cut.body.size();
        while (kept > 0 && IsBlank(cut.body[kept - 1])) --kept;
        for (std::size_t i = 0; i < cut.body.size(); ++i)
            (i < kept ? block.lines : block.blankTail).emplace_back(cut.body[i]);

        const std::optional<std::size_t> section = cut.name ? SectionIndex(*cut.name) : std::nullopt;
        if (section && !FirstPosition(*section)) {
            IndexKeys(block);
            firsts_.push_back({*section, std::prev(blocks_.end())});
        }
    }
}

void ProfileTextBuilder::IndexKeys(Block& block)
{
    block.keys.clear();
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
        if (const std::optional<std::string> key = ProfileText::EntryKey(block.lines[i]))
            block.keys.emplace(ToUpperAscii(*key), i);
    }
}

std::string ProfileTextBuilder::Bytes() const
{
    std::size_t size = 0;
    for (const Block& block : blocks_) {
        if (block.header) size += block.header->size() + kLineEnd.size();
        for (const std::string& line : block.lines) size += line.size() + kLineEnd.size();
        size += block.blankTail.size() * kLineEnd.size();
        for (const std::string& line : block.blankTail) size += line.size();
    }
    std::string bytes;
    bytes.reserve(size);
    const auto append = [&bytes](const std::string& line) {
        bytes += line;
        bytes += kLineEnd;
    };
    for (const Block& block : blocks_) {
        if (block.header) append(*block.header);
        for (const std::string& line : block.lines) append(line);
        for (const std::string& line : block.blankTail) append(line);
    }
    return bytes;
}
