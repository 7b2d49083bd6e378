#pragma once

#include <string>

// Files that live beside the executable. Each takes the executable's full path
// (as GetModuleFileNameA gives it; "\" or "/" separate folders) and keeps its
// drive and folder, as _splitpath would.

// The drive and folder of `path`, with the separator that ends it:
// "C:\Tools\app.exe" -> "C:\Tools\", "C:app.exe" -> "C:", "app.exe" -> "".
std::string FolderOfFile(const std::string& path);

std::string SettingsPathForExecutable(const std::string& exePath);  // ...\keyset.ini
std::string HelpPathForExecutable(const std::string& exePath);      // ...\TWHELP.hlp
