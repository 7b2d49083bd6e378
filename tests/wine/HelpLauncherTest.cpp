// The Help button opens TWHELP.hlp beside the program with whatever the shell
// associates with .hlp files: here a recorder that notes what it was asked to open.
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/ShellRecorder.h"

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

}  // namespace
