#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ProfileEntry {
    std::string key;    // text before the first "=", upper-cased; empty for a line without "="
    std::string value;  // text after that "=" (or the whole line), without trailing whitespace
};

// A stretch of the text: the lines before the first section header, or one header
// line with the lines up to the next header.
struct ProfileBlock {
    std::optional<std::string> name;     // the header's section name; none before the first header
    std::string_view header;             // the header line; empty before the first header
    std::vector<std::string_view> body;  // the lines that follow it, without their line ends
};

// An INI file held as text: what the platform's profile functions would read
// from and write to the settings file, done in memory so that it can be tested
// and so that no section is cut short by a fixed buffer.
//
// The text is kept with every line ending in CR LF (lines may come in ending in
// CR LF or LF). Section headers are lines "[name]"; names are compared without
// regard to case or the whitespace around them. A section may end with blank
// lines, comments and anything else a person typed; they are kept as they are.
//
// A section name that occurs more than once: only its first occurrence is read
// and written, as the platform does; the later ones stay in the text untouched.
class ProfileText {
public:
    explicit ProfileText(std::string fileBytes = {});

    // Every non-blank line of the section, in file order. Each line is trimmed;
    // the key is the text before its first "=" upper-cased (not trimmed further:
    // Shortcut::Assign trims key names), the value the text after that "=". A
    // line without "=" gives an empty key and the whole line as value. An absent
    // section gives no entries.
    std::vector<ProfileEntry> ReadSection(const std::string& section) const;

    // WritePrivateProfileStringA's way: the section's first entry whose key equals
    // `key` (without regard to case or surrounding whitespace) gets the new line
    // "key=value"; with no such entry the line is added after the section's last
    // non-blank line; a missing section is added at the end of the text.
    // Names and values are meant to hold no line break; one that does splits the
    // written line into lines of its own, each ending in CR LF.
    // Each call reads the whole text; ProfileTextBuilder makes a text from many writes.
    void WriteEntry(const std::string& section, const std::string& key, const std::string& value);

    // The whole file: "[paths]\r\nA=d:\\x\r\n...", empty when nothing was ever there.
    const std::string& Bytes() const { return bytes_; }

    // The text cut at its headers, in file order; the first block is the one before
    // any header. Its views point into this object.
    std::vector<ProfileBlock> Blocks() const;

    // Every line of `text` (split at LF, one CR before the LF dropped) followed by
    // CR LF. A last line without an ending gets one; an empty text stays empty.
    static std::string NormalizeLineEnds(std::string_view text);

    // The name of a header line "[name]" (whitespace around the line and inside the
    // brackets ignored; the last "]" closes it), or nothing for any other line.
    static std::optional<std::string> SectionName(std::string_view line);

    // The key that an entry line is found by, trimmed: the text before the first "="
    // of the trimmed line; nothing for a blank line or one without "=".
    static std::optional<std::string> EntryKey(std::string_view line);

private:
    std::string bytes_;
};
