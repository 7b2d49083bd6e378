// The Help button opens TWHELP.hlp beside the program with whatever the shell
// associates with .hlp files: here a recorder that notes what it was asked to open.
#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/TestSupport.h"
#include <gtest/gtest.h>
#include <memory>

using namespace wt;

namespace {

constexpr UINT kTrayOpen = 32784;
constexpr int kHelpButton = 1026;

std::string Unquoted(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

class HelpLauncherTest : public ::testing::Test {
protected:
    void SetUp() override { EndAllInstances(); }
    void TearDown() override
    {
        m_program.reset();
        EndAllInstances();
    }

    // Starts the program under this file name, opens its dialog and presses Help
    // twice: the program keeps nothing of the viewer, so each press is a new request.
    void PressHelpTwice(const std::string& exe)
    {
        if (exe != "ntlauncher.exe")
            ASSERT_TRUE(::CopyFileA(m_install.Path("ntlauncher.exe").c_str(), m_install.Path(exe).c_str(), FALSE));
        m_install.WriteFile("TWHELP.hlp", "help");
        m_program = std::make_unique<Process>(m_install.Path(exe), m_install.Folder());
        HWND dialog = FindMainDialog(m_program->Id());
        ASSERT_NE(dialog, nullptr);
        ::PostMessageA(dialog, WM_COMMAND, kTrayOpen, 0);
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(dialog) != FALSE; }));

        for (size_t presses = 1; presses <= 2; ++presses) {
            ::PostMessageA(::GetDlgItem(dialog, kHelpButton), BM_CLICK, 0, 0);
            ASSERT_TRUE(m_viewer.WaitForRecords(presses)) << "the viewer was not started";
        }
        EXPECT_EQ(m_viewer.Records().size(), 2u);
        for (const std::string& opened : m_viewer.Records())
            EXPECT_STRCASEEQ(Unquoted(opened).c_str(), m_install.Path("TWHELP.hlp").c_str());
    }

    ProgramInstall m_install{CurrentTestName()};
    ShellRecorder m_viewer{{".hlp"}};
    std::unique_ptr<Process> m_program;
};

TEST_F(HelpLauncherTest, EachPressOpensTheHelpFileBesideTheProgram)
{
    PressHelpTwice("ntlauncher.exe");
}

// The help file keeps its own name whatever the program's file is called.
TEST_F(HelpLauncherTest, ARenamedProgramStillOpensTWHELP)
{
    PressHelpTwice("Reference Card.exe");
}

}  // namespace
