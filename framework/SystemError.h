#pragma once
#include <string>

// The system's own text for an error code (GetLastError), without the trailing line break.
std::string SystemErrorText(unsigned long errorCode);
