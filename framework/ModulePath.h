#pragma once
#include <string>

// Full path of the running executable.
std::string ExecutablePath();
