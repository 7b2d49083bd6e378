#include <optional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "store/SettingsPath.h"

TEST(SettingsPath, FolderOfFile)
{
    const struct {
        std::string path, folder;
    } cases[] = {
        {"C:\\Tools\\app.exe", "C:\\Tools\\"},
        {"C:/Tools/app.exe", "C:/Tools/"},
        {"C:\\Tools/sub\\app.exe", "C:\\Tools/sub\\"},
        {"C:\\app.exe", "C:\\"},
        {"C:app.exe", "C:"},
        {"\\\\server\\share\\app.exe", "\\\\server\\share\\"},
        {"app.exe", ""},
        {"", ""},
        {"C:\\Tools\\", "C:\\Tools\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("path \"" + c.path + "\"");
        EXPECT_EQ(FolderOfFile(c.path), c.folder);
    }
}

TEST(SettingsPath, FilesBesideTheExecutable)
{
    EXPECT_EQ(SettingsPathForExecutable("C:\\Tools\\app.exe"), "C:\\Tools\\keyset.ini");
    EXPECT_EQ(SettingsPathForExecutable("D:/x/y/Tarnwick.exe"), "D:/x/y/keyset.ini");
    EXPECT_EQ(SettingsPathForExecutable("Tarnwick.exe"), "keyset.ini");
    EXPECT_EQ(HelpPathForExecutable("D:\\Tools\\app.exe"), "D:\\Tools\\TWHELP.hlp");
}

TEST(SettingsPath, ABackupNeverTakesTheNameOfAnEarlierOne)
{
    const std::string ini = "C:\\Tools\\keyset.ini";
    const struct {
        std::set<std::string> existing;
        std::optional<std::string> backup;
    } cases[] = {
        {{}, ini + ".bak"},
        {{ini}, ini + ".bak"},
        {{ini + ".bak"}, ini + ".bak1"},
        {{ini + ".bak", ini + ".bak1", ini + ".bak2"}, ini + ".bak3"},
        {{ini + ".bak", ini + ".bak2"}, ini + ".bak1"},  // a gap is filled; no copy is overwritten
    };
    for (const auto& c : cases) {
        const auto exists = [&c](const std::string& name) { return c.existing.count(name) > 0; };
        EXPECT_EQ(BackupPathFor(ini, exists), c.backup);
    }
    EXPECT_EQ(BackupPathFor(ini, [](const std::string&) { return true; }), std::nullopt);
}
