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
