#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/ProfileText.h"

using Entries = std::vector<ProfileEntry>;

// In ProfileEntry's own namespace, where the vector comparison and GoogleTest's printer look.
static bool operator==(const ProfileEntry& a, const ProfileEntry& b)
{
    return a.key == b.key && a.value == b.value;
}

static void PrintTo(const ProfileEntry& e, std::ostream* os)
{
    *os << "{\"" << e.key << "\", \"" << e.value << "\"}";
}

TEST(ProfileTextRead, EntriesInFileOrder)
{
    const ProfileText p("[paths]\r\nA=d:\\work\\reports\r\nM=d:\\work\\minutes.doc\r\n"
                        "[contents]\r\nB=Kind regards,{}The support desk\r\n"
                        "[graphics]\r\nF2=d:\\tools\\images\\logo.bmp\r\n");
    EXPECT_EQ(p.ReadSection("paths"), (Entries{{"A", "d:\\work\\reports"}, {"M", "d:\\work\\minutes.doc"}}));
    EXPECT_EQ(p.ReadSection("contents"), (Entries{{"B", "Kind regards,{}The support desk"}}));
    EXPECT_EQ(p.ReadSection("graphics"), (Entries{{"F2", "d:\\tools\\images\\logo.bmp"}}));
    EXPECT_EQ(p.ReadSection("other"), Entries{});
}

TEST(ProfileTextRead, SectionNamesIgnoreCaseAndKeysAreUpperCased)
{
    const ProfileText p("[PATHS]\r\na=d:\\x\r\nf10=y\r\n");
    EXPECT_EQ(p.ReadSection("paths"), (Entries{{"A", "d:\\x"}, {"F10", "y"}}));
    EXPECT_EQ(p.ReadSection("Paths"), p.ReadSection("paths"));
}

TEST(ProfileTextRead, LinesAreTrimmedAndBlankLinesSkipped)
{
    const ProfileText p("[paths]\r\n"
                        "\r\n"
                        "   \t \r\n"
                        "   a  =  d:\\with blanks  \t\r\n"
                        "b=\r\n"
                        "=only value\r\n"
                        "no equals sign here  \r\n"
                        "c=x=y\r\n"
                        "\r\n");
    EXPECT_EQ(p.ReadSection("paths"), (Entries{
                                          {"A  ", "  d:\\with blanks"},  // Assign trims the key later
                                          {"B", ""},
                                          {"", "only value"},
                                          {"", "no equals sign here"},
                                          {"C", "x=y"},  // the first "=" splits
                                      }));
}

TEST(ProfileTextRead, LfAndCrLfLinesReadAlike)
{
    const std::string crlf = "[paths]\r\nA=1\r\nB=2\r\n[contents]\r\nC=3\r\n";
    const std::string lf = "[paths]\nA=1\nB=2\n[contents]\nC=3\n";
    const std::string mixed = "[paths]\nA=1\r\nB=2\n[contents]\r\nC=3";  // no ending on the last line
    for (const std::string& text : {crlf, lf, mixed}) {
        const ProfileText p(text);
        EXPECT_EQ(p.ReadSection("paths"), (Entries{{"A", "1"}, {"B", "2"}}));
        EXPECT_EQ(p.ReadSection("contents"), (Entries{{"C", "3"}}));
        EXPECT_EQ(p.Bytes(), crlf);
    }
}

TEST(ProfileTextRead, SectionsAndHeaders)
{
    const ProfileText p("A=before any section\r\n"
                        "  [ paths ]  \r\n"
                        "A=1\r\n"
                        "[paths\r\n"            // no closing bracket: an ordinary line
                        "[contents] comment\r\n"  // the text after the bracket is ignored
                        "B=2\r\n"
                        "[a]b]\r\n"
                        "C=3\r\n"
                        "[]\r\n"
                        "D=4\r\n");
    EXPECT_EQ(p.ReadSection("paths"), (Entries{{"A", "1"}, {"", "[paths"}}));
    EXPECT_EQ(p.ReadSection("contents"), (Entries{{"B", "2"}}));
    EXPECT_EQ(p.ReadSection("a]b"), (Entries{{"C", "3"}}));
    EXPECT_EQ(p.ReadSection(""), (Entries{{"D", "4"}}));
    EXPECT_EQ(p.ReadSection(" PATHS "), p.ReadSection("paths"));
}

TEST(ProfileTextRead, ARepeatedSectionIsReadFromItsFirstOccurrence)
{
    const ProfileText p("[paths]\r\nA=first\r\n[contents]\r\nB=x\r\n[Paths]\r\nC=second\r\n");
    EXPECT_EQ(p.ReadSection("paths"), (Entries{{"A", "first"}}));
}

// The platform read a section into 65,535 bytes and silently lost the rest.
TEST(ProfileTextRead, ASectionLargerThan64KiBIsReadWhole)
{
    std::string text = "[contents]\r\n";
    const int count = 3000;
    for (int i = 0; i < count; ++i) text += "K" + std::to_string(i) + "=" + std::string(40, 'v') + "\r\n";
    text += "LAST=" + std::string(70000, 'w') + "\r\n[paths]\r\nA=after\r\n";
    ASSERT_GT(text.size(), 2u * 65535u);
    const ProfileText p(text);
    const Entries entries = p.ReadSection("contents");
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(count + 1));
    EXPECT_EQ(entries[count - 1].key, "K" + std::to_string(count - 1));
    EXPECT_EQ(entries[count].key, "LAST");
    EXPECT_EQ(entries[count].value, std::string(70000, 'w'));
    EXPECT_EQ(p.ReadSection("paths"), (Entries{{"A", "after"}}));
}

TEST(ProfileTextBytes, EveryLineEndsInCrLf)
{
    const struct {
        std::string in, bytes;
    } cases[] = {
        {"", ""},
        {"\n", "\r\n"},
        {"\r\n", "\r\n"},
        {"\r", "\r\n"},
        {"a", "a\r\n"},
        {"a\nb", "a\r\nb\r\n"},
        {"a\r\r\nb", "a\r\r\nb\r\n"},  // a CR inside the line stays
        {"a\rb\n", "a\rb\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"; comment\n[paths]\n\nA=1\n", "; comment\r\n[paths]\r\n\r\nA=1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("in \"" + c.in + "\"");
        const ProfileText p(c.in);
        EXPECT_EQ(p.Bytes(), c.bytes);
        EXPECT_EQ(ProfileText(p.Bytes()).Bytes(), p.Bytes());
    }
}

TEST(ProfileTextWrite, IntoAnEmptyFile)
{
    ProfileText p;
    EXPECT_EQ(p.Bytes(), "");
    p.WriteEntry("paths", "A", "d:\\x");
    EXPECT_EQ(p.Bytes(), "[paths]\r\nA=d:\\x\r\n");
}

TEST(ProfileTextWrite, SameKeyReplacesItsValue)
{
    ProfileText p("[paths]\r\nA=old\r\n  b  =  old b  \r\nC=c\r\n");
    p.WriteEntry("PATHS", "a", "new");
    EXPECT_EQ(p.Bytes(), "[paths]\r\na=new\r\n  b  =  old b  \r\nC=c\r\n");
    p.WriteEntry("paths", "B", "new b");
    EXPECT_EQ(p.Bytes(), "[paths]\r\na=new\r\nB=new b\r\nC=c\r\n");
    p.WriteEntry("paths", "C", "");
    EXPECT_EQ(p.Bytes(), "[paths]\r\na=new\r\nB=new b\r\nC=\r\n");
}

TEST(ProfileTextWrite, OnlyTheFirstOfTwoEqualKeysIsReplaced)
{
    ProfileText p("[paths]\r\nA=1\r\nA=2\r\n");
    p.WriteEntry("paths", "A", "3");
    EXPECT_EQ(p.Bytes(), "[paths]\r\nA=3\r\nA=2\r\n");
}

TEST(ProfileTextWrite, ANewKeyGoesAfterTheSectionsLastEntry)
{
    ProfileText p("; my shortcuts\r\n[paths]\r\nA=1\r\n\r\n[contents]\r\nB=2\r\n");
    p.WriteEntry("paths", "M", "3");
    EXPECT_EQ(p.Bytes(), "; my shortcuts\r\n[paths]\r\nA=1\r\nM=3\r\n\r\n[contents]\r\nB=2\r\n");
    p.WriteEntry("contents", "C", "4");
    EXPECT_EQ(p.Bytes(), "; my shortcuts\r\n[paths]\r\nA=1\r\nM=3\r\n\r\n[contents]\r\nB=2\r\nC=4\r\n");
}

TEST(ProfileTextWrite, ANewKeyInAnEmptySectionFollowsItsHeader)
{
    ProfileText p("[paths]\r\n\r\n[contents]\r\n");
    p.WriteEntry("paths", "A", "1");
    EXPECT_EQ(p.Bytes(), "[paths]\r\nA=1\r\n\r\n[contents]\r\n");
}

TEST(ProfileTextWrite, LinesWithoutEqualsSignAreNoEntryToReplace)
{
    ProfileText p("[paths]\r\nA\r\n");
    p.WriteEntry("paths", "A", "1");
    EXPECT_EQ(p.Bytes(), "[paths]\r\nA\r\nA=1\r\n");
}

TEST(ProfileTextWrite, AMissingSectionGoesAtTheEnd)
{
    ProfileText p("[paths]\nA=1");  // LF and no ending on the last line
    p.WriteEntry("graphics", "F2", "d:\\logo.bmp");
    EXPECT_EQ(p.Bytes(), "[paths]\r\nA=1\r\n[graphics]\r\nF2=d:\\logo.bmp\r\n");
    EXPECT_EQ(p.ReadSection("graphics"), (Entries{{"F2", "d:\\logo.bmp"}}));
}

TEST(ProfileTextWrite, ARepeatedSectionIsWrittenInItsFirstOccurrence)
{
    ProfileText p("[paths]\r\nA=1\r\n[contents]\r\n[paths]\r\nB=2\r\n");
    p.WriteEntry("paths", "B", "3");
    EXPECT_EQ(p.Bytes(), "[paths]\r\nA=1\r\nB=3\r\n[contents]\r\n[paths]\r\nB=2\r\n");
}

TEST(ProfileTextWrite, ALineBreakInAValueStillEndsLinesInCrLf)
{
    ProfileText p;
    p.WriteEntry("paths", "A", "x\ny");
    EXPECT_EQ(p.Bytes(), "[paths]\r\nA=x\r\ny\r\n");
}

TEST(ProfileTextWrite, WhatIsWrittenReadsBack)
{
    ProfileText p("[contents]\r\nB=x\r\n");
    p.WriteEntry("contents", "b", "  leading blanks stay");
    p.WriteEntry("contents", "F11", "{{x}");
    EXPECT_EQ(p.ReadSection("contents"), (Entries{{"B", "  leading blanks stay"}, {"F11", "{{x}"}}));
}
