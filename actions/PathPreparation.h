#pragma once

#include <string>

// The text a path shortcut hands to a file dialog or to the shell. Leading white space
// is dropped (hand-edited settings often carry it); an "ftp:" address gets forward
// slashes because Windows users tend to type it with backslashes.
std::string PreparePath(const std::string& payload);

// A "mailto:" address (any letter case): only the mail program can do anything with it.
bool IsMailAddress(const std::string& path);

// An address of a scheme ("http:", "ftp:", "mailto:"), not a path of the file system.
// A drive letter ("C:") is no scheme.
bool HasScheme(const std::string& path);

// The folder a path to a file lies in, with its last separator ("C:\docs\" of
// "C:\docs\report.txt"), and the file's name; the folder is empty for a bare name.
struct FolderAndName {
    std::string folder;
    std::string name;
};
FolderAndName SplitFolderAndName(const std::string& path);

// The folder a save dialog has to be in for the path to be saved there: its folder part
// (with the separator), or the path itself when it has none. What a message names when
// that folder is not there.
std::string FolderOf(const std::string& path);
