#pragma once
#include <string>

// Full path of the running executable.
std::string ExecutablePath();
// The executable's file name without its extension: the program has no title string.
std::string ApplicationTitle();
