// Printing the reference sheet as a user does it: the Print button, Wine's print
// dialog, and a CUPS printer that writes PDF files into $TARNWICK_PDF_DIR (started by
// scripts/print-session.sh). Poppler reads PDFs only natively, so each test leaves its
// sheet as <test>.pdf in the "sheets" folder there, with <test>.expect: the number of
// pages and the texts that must fill the pages in order. printout-pdf-check.sh, run
// by ctest after this program, holds the sheets against them.
#include "tests/wine/support/ProgramDialogs.h"
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/RemoteControls.h"
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

using namespace wt;

namespace {

constexpr DWORD kPrintTimeoutMs = 30000;
// How long a cancelled job has to show up before we believe that none will.
constexpr DWORD kNoJobWaitMs = 4000;

// What every sheet begins with, whatever the list holds.
const std::vector<std::string> kFirstPageHeader = {
    "Tarnwick Shortcuts",
    "First two HotKeys are CTRL+ALT.",
    "Third Hotkey:",
    "Print Screen Selective screen capture",
    "Home Capture of application path\\filename",
};

// Text as pdftotext gives it back: line breaks, whether ours or the wrapping's, are
// plain spaces.
std::string Normalized(const std::string& text)
{
    std::istringstream words(text);
    std::string word, result;
    while (words >> word)
        result += (result.empty() ? "" : " ") + word;
    return result;
}

std::string WindowsPath(std::string unixPath)
{
    for (char& c : unixPath)
        if (c == '/')
            c = '\\';
    return "Z:" + unixPath;
}

std::vector<std::string> PdfFiles(const std::string& folder)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
        files.push_back(folder + "\\" + found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return files;
}

// The printer writes the file while we look: it is whole once it ends with the
// PDF trailer.
bool PdfComplete(const std::string& path)
{
    const std::string bytes = ReadFileBytes(path).value_or("");
    return bytes.size() > 8 && bytes.find("%%EOF", bytes.size() - 8) != std::string::npos;
}

class PrintoutTest : public ProgramTest {
protected:
    void SetUp() override
    {
        const char* pdfDir = std::getenv("TARNWICK_PDF_DIR");
        if (!pdfDir)
            GTEST_SKIP() << "no PDF printer: run the tests through scripts/test.sh";
        m_pdfFolder = WindowsPath(pdfDir);
        ::CreateDirectoryA((m_pdfFolder + "\\sheets").c_str(), nullptr);
        // A sheet left from an earlier run must not stand in for this one's.
        m_sheet = m_pdfFolder + "\\sheets\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::DeleteFileA((m_sheet + ".pdf").c_str());
        ::DeleteFileA((m_sheet + ".expect").c_str());
        for (const std::string& file : PdfFiles(m_pdfFolder))
            ::DeleteFileA(file.c_str());
        ProgramTest::SetUp();
    }

    // Presses Print and answers the print dialog with its OK or Cancel button.
    void Print(int answer)
    {
        ::PostMessageA(::GetDlgItem(m_dialog, IDC_PRINT), BM_CLICK, 0, 0);
        HWND printDialog = WaitForProcessDialog(ProgramId(), [](HWND) { return true; });
        ASSERT_NE(printDialog, nullptr) << "no print dialog";
        ClickOn(::GetDlgItem(printDialog, answer));
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(printDialog); })) << "print dialog stayed open";
    }

    // Waits for the printed PDF and keeps it, with what it must show, for the check.
    void KeepSheet(const std::string& pages, const std::vector<std::string>& expected)
    {
        std::string pdf;
        ASSERT_TRUE(WaitUntil([&] {
            const auto files = PdfFiles(m_pdfFolder);
            if (files.size() != 1 || !PdfComplete(files[0]))
                return false;
            pdf = files[0];
            return true;
        }, kPrintTimeoutMs)) << "no PDF in " << m_pdfFolder;

        ASSERT_TRUE(::MoveFileExA(pdf.c_str(), (m_sheet + ".pdf").c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
        std::ofstream expect(m_sheet + ".expect", std::ios::binary);
        expect << "pages " << pages << "\n";
        for (const std::string& line : expected)
            expect << line << "\n";
    }

    // The header and every list row in its order: its key and its shortcut, whose line
    // breaks the sheet prints as breaks where the list shows a mark for each.
    std::vector<std::string> ExpectedEntries() const
    {
        std::vector<std::string> entries;
        for (const std::string& header : kFirstPageHeader)
            entries.push_back("entry " + header);
        for (const ListRow& row : ListRows(::GetDlgItem(m_dialog, IDC_SHORTCUT_LIST))) {
            std::string payload = row.payload;
            for (size_t at; (at = payload.find(kShownLineBreak)) != std::string::npos;)
                payload.replace(at, std::strlen(kShownLineBreak), " ");
            entries.push_back("entry " + Normalized(row.key + " " + payload));
        }
        return entries;
    }

    std::string m_pdfFolder;
    std::string m_sheet;   // where this test's sheet is kept, without extension
};

TEST_F(PrintoutTest, EmptyListPrintsOnePageWithTheFixedKeys)
{
    ASSERT_NO_FATAL_FAILURE(StartShown(""));
    ASSERT_NO_FATAL_FAILURE(Print(IDOK));
    ASSERT_NO_FATAL_FAILURE(KeepSheet("1", ExpectedEntries()));
}

TEST_F(PrintoutTest, ADozenShortcutsPrintAsTheListShowsThem)
{
    ASSERT_NO_FATAL_FAILURE(StartShown(
        "[paths]\r\n"
        "A=c:\\reports\\annual\r\n"
        "B=C:\\R&D\\plans & budgets\r\n"
        "F5=http://intranet/search?q=tarnwick&lang=en\r\n"
        "M=mailto:desk@example.com\r\n"
        "7=D:\\Projects\\Bridge over the river\\drawings and calculations\\second revision of the "
        "northern abutment\\final\r\n"
        "[contents]\r\n"
        "3=Kind regards,{}The desk\r\n"
        "S=Please find the signed copy attached.\r\n"
        "F1=Line one{}Line two{}Line three\r\n"
        "Z=The quick brown fox jumps over the lazy dog, again and again, until the text is far "
        "wider than its column and has to wrap onto a second and a third line of the sheet.\r\n"
        "[graphics]\r\n"
        "L=c:\\images\\logo.bmp\r\n"
        "Q=c:\\images\\signature.bmp\r\n"
        "F12=c:\\images\\map of the site.bmp\r\n"));
    ASSERT_EQ(ListRows(::GetDlgItem(m_dialog, IDC_SHORTCUT_LIST)).size(), 12u);

    ASSERT_NO_FATAL_FAILURE(Print(IDOK));
    ASSERT_NO_FATAL_FAILURE(KeepSheet("1", ExpectedEntries()));
}

TEST_F(PrintoutTest, ALongListGoesOnOnFurtherPagesWithoutTheTitle)
{
    std::string settings = "[contents]\r\n";
    for (char key = 'A'; key <= 'Z'; ++key)
        settings += std::string(1, key) + "=Entry " + key + " first line{}second line{}third line{}fourth line\r\n";
    ASSERT_NO_FATAL_FAILURE(StartShown(settings));

    ASSERT_NO_FATAL_FAILURE(Print(IDOK));
    // The header occurs once in the entries, so a second title would not match.
    ASSERT_NO_FATAL_FAILURE(KeepSheet("2+", ExpectedEntries()));
}

TEST_F(PrintoutTest, ARowTallerThanAPageIsPrintedCutOffAloneAndTheJobGoesOn)
{
    std::string tall;
    for (int line = 1; line <= 120; ++line)
        tall += (line > 1 ? "{}" : "") + std::string("line ") + std::to_string(line);
    ASSERT_NO_FATAL_FAILURE(StartShown("[contents]\r\n0=short\r\n1=" + tall + "\r\n2=after the tall one\r\n"));

    ASSERT_NO_FATAL_FAILURE(Print(IDOK));
    std::vector<std::string> entries = ExpectedEntries();
    ASSERT_EQ(entries.size(), kFirstPageHeader.size() + 3);
    // It does not fit below the first row, so it gets the second page to itself, as
    // much of it as fits; the row after it starts the third page.
    entries[kFirstPageHeader.size() + 1].replace(0, 5, "cut");
    ASSERT_NO_FATAL_FAILURE(KeepSheet("3", entries));
}

// Every character as typed, whichever script it is in. Wine's printer driver, unlike
// Windows', draws only what the sheet's font itself holds (it links no other fonts in),
// so the rows keep to scripts that Liberation Serif has.
TEST_F(PrintoutTest, CharactersOfAnyLanguagePrintAsTyped)
{
    ASSERT_NO_FATAL_FAILURE(StartShown(
        "[paths]\r\n"
        "A=C:\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82_\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\r\n"
        "[contents]\r\n"
        "G=\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1, Caf\xC3\xA9\r\n"
        "W=\xE2\x82\xAC \xE2\x80\x94 \xC5\x81\xC3\xB3" "d\xC5\xBA, \xC5\x9E" "eker\r\n"));
    ASSERT_NO_FATAL_FAILURE(Print(IDOK));
    ASSERT_NO_FATAL_FAILURE(KeepSheet("1", ExpectedEntries()));
}

TEST_F(PrintoutTest, CancelPrintsNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartShown("[paths]\r\nA=c:\\reports\r\n"));
    ASSERT_NO_FATAL_FAILURE(Print(IDCANCEL));

    EXPECT_FALSE(WaitUntil([&] { return !PdfFiles(m_pdfFolder).empty(); }, kNoJobWaitMs));
    EXPECT_TRUE(::IsWindowEnabled(m_dialog));
    EXPECT_FALSE(m_program->WaitForExit(0));
}

}  // namespace
