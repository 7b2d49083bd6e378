#pragma once
#include <windows.h>
#include <optional>
#include <string>

// Asks where a pasted picture shall be kept: a save dialog for .bmp files that opens
// in the folder "images" beside the executable (created when missing). The chosen
// full path, or nullopt when the user cancelled.
std::optional<std::string> AskBitmapLocation(HWND owner);
