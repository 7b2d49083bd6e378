#pragma once
#include <string>
#include <string_view>

// The program keeps its texts in UTF-8; Windows takes and gives UTF-16. Every text
// crosses between the two here, at the call that needs it.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
