#pragma once

#include <functional>
#include <optional>
#include <string>

// Files that live beside the executable. Each takes the executable's full path
// (as GetModuleFileNameA gives it; "\" or "/" separate folders) and keeps its
// drive and folder, as _splitpath would.

// The drive and folder of `path`, with the separator that ends it:
// "C:\Tools\app.exe" -> "C:\Tools\", "C:app.exe" -> "C:", "app.exe" -> "".
std::string FolderOfFile(const std::string& path);

std::string SettingsPathForExecutable(const std::string& exePath);  // ...\keyset.ini
std::string HelpPathForExecutable(const std::string& exePath);      // ...\TWHELP.hlp
std::string HelpPagePathForExecutable(const std::string& exePath);  // ...\TWHELP.html

// Where to keep a copy of the file at `path` before a save goes over it: beside it,
// "keyset.ini.bak", else "keyset.ini.bak1", ".bak2" and so on, the first name that
// `exists` says is free, so that no earlier copy is ever overwritten. Nothing once
// every name up to ".bak" followed by kMaxBackupNumber is taken.
inline constexpr int kMaxBackupNumber = 9999;
std::optional<std::string> BackupPathFor(const std::string& path,
                                         const std::function<bool(const std::string&)>& exists);
