#pragma once
#include <optional>
#include <string>

// Files as the settings need them. Paths are UTF-8. A failure carries the error of the
// call that failed, taken at once, for the user to be told.

struct FileError {
    unsigned long code = 0;
    std::string Text() const;  // the system's words for it
};

// A file read whole: its bytes; no file there; or a file that is there and could not
// be read (held open by another program, not yet downloaded, a share not connected).
struct FileRead {
    enum class Result { Read, Missing, Unreadable };
    Result result = Result::Missing;
    std::string bytes;
    FileError error;
};
FileRead ReadWholeFile(const std::string& path);

// What lies at a path.
struct FileShape {
    bool exists = false;
    bool isFolder = false;
    bool readOnly = false;
    // A symbolic link or another reparse point (or a path that leads elsewhere in the
    // end): what is written goes to the file it leads to, `target`.
    bool link = false;
    std::string target;
    // Other names of the same file (hard links): the file must be written where it is.
    unsigned long names = 1;
};
FileShape ShapeOfFile(const std::string& path);

// Writes `bytes` as a new file `path` (none may be there) and flushes it to the disk; on
// failure nothing is left there.
std::optional<FileError> WriteNewFile(const std::string& path, const std::string& bytes);

// Puts a new file beside `path` and then in its place in one step: a failure at any
// point leaves the old file whole.
std::optional<FileError> ReplaceWholeFile(const std::string& path, const std::string& bytes);

// Writes `bytes` into the file at `path` itself (it keeps its identity, and with it
// every other name it has), flushed. Not in one step: keep a copy first.
std::optional<FileError> OverwriteFile(const std::string& path, const std::string& bytes);

// Copies the file under the new name `copy`, never over a file of that name; the copy
// is on the disk when this returns. A copy that fails half-way is removed.
std::optional<FileError> CopyToNewFile(const std::string& from, const std::string& copy);
