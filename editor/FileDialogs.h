#pragma once
#include <windows.h>
#include <optional>
#include <string>

// The system's dialogs in which the editor's user picks a folder or a file. Each
// gives the chosen full path, or nullopt when the user cancelled.

// The shell's folder browser, rooted at the desktop.
std::optional<std::string> ChooseFolder();
// An existing file, from a file-open dialog.
std::optional<std::string> ChooseFile(HWND owner);
// Where a pasted picture shall be kept: a save dialog for .bmp files that opens in
// the folder "images" beside the executable (created when missing).
std::optional<std::string> AskBitmapLocation(HWND owner);
