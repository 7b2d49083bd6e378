#pragma once
#include <optional>
#include <string>

// The whole content of a file; nullopt when it is missing or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Puts `bytes` in place of the file at `path` in one step: they are written to a new
// file beside it first, so a failure at any point leaves the old file whole. On
// failure `reason` holds the system's explanation.
bool ReplaceFileContents(const std::string& path, const std::string& bytes, std::string& reason);
