#include "store/SettingsPath.h"

#include "store/KeyText.h"

std::string FolderOfFile(const std::string& path)
{
    const std::size_t lastSeparator = path.find_last_of("\\/");
    if (lastSeparator != std::string::npos) return path.substr(0, lastSeparator + 1);
    return PathHasDrive(path) ? path.substr(0, 2) : std::string();
}

std::string SettingsPathForExecutable(const std::string& exePath)
{
    return FolderOfFile(exePath) + "keyset.ini";
}

std::string HelpPathForExecutable(const std::string& exePath)
{
    return FolderOfFile(exePath) + "TWHELP.hlp";
}

std::string HelpPagePathForExecutable(const std::string& exePath)
{
    return FolderOfFile(exePath) + "TWHELP.html";
}

std::optional<std::string> BackupPathFor(const std::string& path,
                                         const std::function<bool(const std::string&)>& exists)
{
    const std::string first = path + ".bak";
    if (!exists(first)) return first;
    for (int number = 1; number <= kMaxBackupNumber; ++number) {
        std::string name = first + std::to_string(number);
        if (!exists(name)) return name;
    }
    return std::nullopt;
}
