// The Help button opens TWHELP.hlp beside the program with whatever the shell
// associates with .hlp files: here a recorder that notes what it was asked to open.
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/MessageBoxDriver.h"
#include <vector>

using namespace wt;

namespace {

std::string Unquoted(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

class HelpLauncherTest : public ProgramTest {
protected:
    // Starts the program under this file name, opens its dialog and presses Help
    // twice: the program keeps nothing of the viewer, so each press is a new request.
    void PressHelpTwice(const std::string& exe)
    {
        if (exe != "ntlauncher.exe") {
            ASSERT_TRUE(::CopyFileA(m_install.Path("ntlauncher.exe").c_str(), m_install.Path(exe).c_str(), FALSE));
        }
        m_install.WriteFile("TWHELP.hlp", "help");
        ASSERT_NO_FATAL_FAILURE(StartShown("", exe));

        for (size_t presses = 1; presses <= 2; ++presses) {
            ::PostMessageA(::GetDlgItem(m_dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
            ASSERT_TRUE(m_viewer.WaitForRecords(presses)) << "the viewer was not started";
        }
        EXPECT_EQ(m_viewer.Records().size(), 2u);
        for (const std::string& opened : m_viewer.Records())
            EXPECT_STRCASEEQ(Unquoted(opened).c_str(), m_install.Path("TWHELP.hlp").c_str());
    }

    ShellRecorder m_viewer{{".hlp"}};
};

TEST_F(HelpLauncherTest, EachPressOpensTheHelpFileBesideTheProgram)
{
    ASSERT_NO_FATAL_FAILURE(PressHelpTwice("ntlauncher.exe"));
}

// The help file keeps its own name whatever the program's file is called.
TEST_F(HelpLauncherTest, ARenamedProgramStillOpensTWHELP)
{
    ASSERT_NO_FATAL_FAILURE(PressHelpTwice("Reference Card.exe"));
}

// Current Windows cannot show .hlp files, so the page is what the program ships; a
// .hlp someone kept beside the program still comes first. With neither the press
// must not come to nothing.
TEST_F(HelpLauncherTest, OpensWhicheverHelpLiesBesideTheProgram)
{
    const ShellRecorder browser({".html"});
    ASSERT_NO_FATAL_FAILURE(StartShown(""));

    const struct {
        std::vector<std::string> present;
        std::string opened;  // empty: the message instead
    } cases[] = {
        {{"TWHELP.html"}, "TWHELP.html"},
        {{"TWHELP.hlp", "TWHELP.html"}, "TWHELP.hlp"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("expected to open \"" + c.opened + "\"");
        for (const char* file : {"TWHELP.hlp", "TWHELP.html"})
            ::DeleteFileA(m_install.Path(file).c_str());
        for (const std::string& file : c.present)
            m_install.WriteFile(file, "help");
        browser.Clear();
        ::PostMessageA(::GetDlgItem(m_dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);

        if (c.opened.empty()) {
            const HWND box = WaitForMessageBox(ProgramId(), 5000);
            ASSERT_NE(box, nullptr) << "no message";
            EXPECT_EQ(ReadMessageBox(box).text,
                      "No help file was found. TWHELP.html (or TWHELP.hlp) belongs in the program's folder:\r\n" +
                          m_install.Folder() + "\\");
            CloseMessageBox(box, IDOK);
            ASSERT_TRUE(WaitUntil([&] { return FindMessageBox(ProgramId()) == nullptr; }));
            EXPECT_TRUE(browser.Records().empty());
            continue;
        }
        ASSERT_TRUE(browser.WaitForRecords(1)) << "nothing was opened";
        ASSERT_EQ(browser.Records().size(), 1u);
        EXPECT_STRCASEEQ(Unquoted(browser.Records().front()).c_str(), m_install.Path(c.opened).c_str());
    }
}

}  // namespace
