#include "actions/PathPreparation.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* payload;
    const char* expected;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << '"' << c.payload << '"';
}

class PreparePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PreparePathTest, GivesTheTextTheDialogReceives)
{
    EXPECT_EQ(PreparePath(GetParam().payload), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreparePathTest, ::testing::Values(
    PathCase{"  D:\\Data", "D:\\Data"},
    PathCase{"\t\r\n D:\\Data", "D:\\Data"},
    PathCase{"D:\\Data  ", "D:\\Data  "},
    PathCase{"", ""},
    PathCase{" \t ", ""},
    PathCase{"FTP:\\\\files\\pub", "FTP://files/pub"},
    PathCase{"  fTp:\\\\host\\a\\b", "fTp://host/a/b"},
    PathCase{"D:\\ftp:\\x", "D:\\ftp:\\x"},
    PathCase{"ftp\\x", "ftp\\x"},
    PathCase{"ftp", "ftp"},
    PathCase{"http:\\\\host\\x", "http:\\\\host\\x"}));

} // namespace

TEST(PathKinds, MailAddressesAndOtherSchemesAreNoPaths)
{
    const struct {
        const char* path;
        bool mail;
        bool scheme;
    } cases[] = {
        {"mailto:desk@example.com", true, true},
        {"MAILTO:", true, true},
        {"http://example.org", false, true},
        {"ftp://files/pub", false, true},
        {"C:\\docs", false, false},
        {"c:", false, false},
        {"\\\\server\\share", false, false},
        {"report.txt", false, false},
        {"1x:thing", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsMailAddress(c.path), c.mail) << c.path;
        EXPECT_EQ(HasScheme(c.path), c.scheme) << c.path;
    }
}

TEST(PathKinds, AFilesFolderAndName)
{
    EXPECT_EQ(SplitFolderAndName("C:\\docs\\report.txt").folder, "C:\\docs\\");
    EXPECT_EQ(SplitFolderAndName("C:\\docs\\report.txt").name, "report.txt");
    EXPECT_EQ(SplitFolderAndName("\\\\server\\share\\a b.doc").folder, "\\\\server\\share\\");
    EXPECT_EQ(SplitFolderAndName("C:/docs/r.txt").name, "r.txt");
    EXPECT_EQ(SplitFolderAndName("report.txt").folder, "");
    EXPECT_EQ(FolderOf("C:\\docs\\new\\report.txt"), "C:\\docs\\new\\");
    EXPECT_EQ(FolderOf("report.txt"), "report.txt");
}
