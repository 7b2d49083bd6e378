#pragma once

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Makes an INI text from nothing by single-entry writes. The text is exactly what
// the same writes through ProfileText::WriteEntry make, but each write costs time
// in proportion to its own line rather than to the whole text, so that saving a
// long list takes time in proportion to the list.
//
// The text is kept cut at its headers. A write that would change that shape in a
// way the cut cannot follow (a line break in a key or value, or a header line
// written over an entry) goes through ProfileText on the whole text instead. Only
// hand-made keys and values can do that; the editor's rows and a loaded file's never do.
class ProfileTextBuilder {
public:
    // `sections`: the names the writes will use, each free of line breaks and none
    // the same as another; a write to any other name takes the slow way.
    explicit ProfileTextBuilder(const std::vector<std::string>& sections);

    void WriteEntry(const std::string& section, const std::string& key, const std::string& value);

    std::string Bytes() const;

private:
    struct Block {
        std::optional<std::string> header;  // none for the lines before the first header
        std::vector<std::string> lines;     // up to and including the last non-blank one
        std::vector<std::string> blankTail; // the blank lines after that
        // Upper-cased entry key -> index in `lines` of the first entry with it; kept
        // for the blocks that writes go to (the first of each section).
        std::unordered_map<std::string, std::size_t> keys;
    };
    using Blocks = std::list<Block>;

    // The first block of a section, in file order among the others.
    struct First {
        std::size_t section;  // index in names_
        Blocks::iterator block;
    };

    std::optional<std::size_t> SectionIndex(const std::string& section) const;
    std::optional<std::size_t> FirstPosition(std::size_t section) const;
    void AppendSection(std::size_t section, const std::string& header, const std::string& line);
    void InsertHeader(std::size_t position, const std::string& line, const std::string& name);
    void WriteThroughText(const std::string& section, const std::string& key, const std::string& value);
    void Rebuild(const std::string& bytes);
    static void IndexKeys(Block& block);

    std::vector<std::string> names_;  // trimmed and upper-cased
    Blocks blocks_;
    std::vector<First> firsts_;       // in file order
};
