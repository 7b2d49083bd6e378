#pragma once
#include <string>

// Opens a path, URL or address with whatever the shell associates with it: a folder in
// the file browser, a document in its program, a URL in the browser. Where the shell
// cannot take a path this long, false, and nothing is started. The shell itself tells
// the user of a path that leads nowhere.
bool OpenWithShell(const std::string& path);
