#pragma once

#include <string>

// The text a path shortcut hands to a file dialog or to the shell. Leading white space
// is dropped (hand-edited settings often carry it); an "ftp:" address gets forward
// slashes because Windows users tend to type it with backslashes.
std::string PreparePath(const std::string& payload);
