#pragma once
#include <optional>
#include <string>

// The whole content of a file; nullopt when it is missing or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
