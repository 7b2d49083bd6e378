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
