// The Help button opens TWHELP.hlp beside the program with whatever the shell
// associates with .hlp files: here a recorder that notes what it was asked to open.
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/TestSupport.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

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

// The visible message box ("#32770" with the static text 0xFFFF) of a process, if any.
HWND MessageBoxOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        HWND box;
    } search{processId, nullptr};
    ::EnumWindows([](HWND w, LPARAM found) -> BOOL {
        auto* s = reinterpret_cast<Search*>(found);
        if (WindowProcess(w) == s->processId && ::IsWindowVisible(w) && ::GetDlgItem(w, 0xFFFF))
            s->box = w;
        return s->box == nullptr;
    }, reinterpret_cast<LPARAM>(&search));
    return search.box;
}

// Current Windows cannot show .hlp files, so the page is what the program ships; a
// .hlp someone kept beside the program still comes first. With neither the press
// must not come to nothing.
TEST_F(HelpLauncherTest, OpensWhicheverHelpLiesBesideTheProgram)
{
    const ShellRecorder browser({".html"});
    m_program = std::make_unique<Process>(m_install.Path("ntlauncher.exe"), m_install.Folder());
    HWND dialog = FindMainDialog(m_program->Id());
    ASSERT_NE(dialog, nullptr);
    ::PostMessageA(dialog, WM_COMMAND, kTrayOpen, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(dialog) != FALSE; }));

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
        ::PostMessageA(::GetDlgItem(dialog, kHelpButton), BM_CLICK, 0, 0);

        if (c.opened.empty()) {
            HWND box = nullptr;
            ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(m_program->Id())) != nullptr; }, 5000))
                << "no message";
            EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)),
                      "No help file was found. TWHELP.html (or TWHELP.hlp) belongs in the program's folder:\r\n" +
                          m_install.Folder() + "\\");
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(WaitUntil([&] { return MessageBoxOf(m_program->Id()) == nullptr; }));
            EXPECT_TRUE(browser.Records().empty());
            continue;
        }
        ASSERT_TRUE(browser.WaitForRecords(1)) << "nothing was opened";
        ASSERT_EQ(browser.Records().size(), 1u);
        EXPECT_STRCASEEQ(Unquoted(browser.Records().front()).c_str(), m_install.Path(c.opened).c_str());
    }
}

}  // namespace
