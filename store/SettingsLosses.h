#pragma once

#include <cstddef>

class ProfileText;

// What a settings file held that saving the shortcut list would not write back.
// All of it is zero for a file the program reads completely, every file it writes
// itself among them: only a file with losses needs its old bytes kept before a
// save goes over it. A line is counted under the first of the line counts that
// applies to it.
struct SettingsLosses {
    // Bytes that are no character of the file's encoding (see SettingsFileText).
    std::size_t unreadableBytes = 0;
    // Lines that begin with "[" and hold neither "]" nor "=": a header left open
    // ("[contents"). The lines after it stay in the section before it, or in none.
    std::size_t unclosedHeaders = 0;
    // Non-blank lines in no section that is read: before the first header, in a
    // section other than paths, contents and graphics, or in a second or later
    // occurrence of one of those; such a section's header line counts too.
    std::size_t linesOutsideSections = 0;
    // Header lines of the read sections with text after their "]" ("[paths] old");
    // the save writes the header alone.
    std::size_t textAfterHeaders = 0;
    // Lines of the read sections that the save would write as a section header:
    // the list shows the key of a hand-written "x+[y]=..." as "[Y]". That line,
    // and the section's lines saved after it, would not read back into the section.
    std::size_t entriesSavedAsHeaders = 0;
    // Lines of the read sections that hold a NUL character: the list, and so the
    // save, keep the key and the value of such a line only up to it.
    std::size_t linesWithNul = 0;
    // Lines of a read section whose key, as the list shows it, an earlier line of
    // that section already has (letter case and blanks aside): the save writes one
    // line for each key of a section.
    std::size_t repeatedKeys = 0;

    bool Any() const;
};

// The losses that lie in the lines of the settings file's text (the two about its
// encoding are the decoder's).
SettingsLosses FindLineLosses(const ProfileText& text);
