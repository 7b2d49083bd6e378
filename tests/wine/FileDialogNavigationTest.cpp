// A path shortcut pressed with real input through the real hook, with a file dialog of
// another program in front: Wine's own item dialog (what IFileOpenDialog and
// IFileSaveDialog show under Wine), stand-ins for the Windows 10/11 dialogs that Wine
// does not have (tests/wine/fixtures), and dialogs that stop answering.
#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <iostream>
#include <memory>
#include <vector>

using namespace wt;

namespace {

constexpr int kItemDialogFileNameId = 1152;
constexpr int kNotifyText = 1003;
constexpr char kMarker[] = "untouched";
constexpr char kSuggestedName[] = "report.docx";
// How long the hanging fixtures stop answering: far longer than any wait of ours.
constexpr char kHangMs[] = "8000";

// From HotkeyActionsTest: Wine's X11 driver puts the modifiers back to the X server's
// state when the focus moves, so a chord is pressed once the desktop has settled.
void PressChord(std::initializer_list<WORD> keys)
{
    constexpr DWORD kSettleMs = 300;
    ::Sleep(kSettleMs);
    PressKeys(keys);
}

// From HotkeyActionsTest.
void PutTextOnClipboard(const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
}

// From HotkeyActionsTest.
void BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }));
}

// What an edit of another program holds. GetWindowText does not ask a window of
// another process; it answers with the text the window was created with.
std::string BoxText(HWND box)
{
    char text[MAX_PATH * 4] = {};
    ::SendMessageA(box, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A program from tests/wine/fixtures, started with arguments. It writes what it sees
// into a log in the test's folder, one line an event, and does not outlive the test.
class HelperProgram {
public:
    HelperProgram(const char* exe, const ProgramInstall& install, std::initializer_list<std::string> arguments)
        : m_install(install)
    {
        std::string commandLine = Quoted(BuildFolder() + "\\" + exe) + " " + Quoted(install.Path(kLog));
        for (const std::string& argument : arguments)
            commandLine += " " + Quoted(argument);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        ::DeleteFileA(install.Path(kLog).c_str());
        ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, install.Folder().c_str(),
                         &startup, &m_info);
    }
    ~HelperProgram()
    {
        if (!m_info.hProcess)
            return;
        ::TerminateProcess(m_info.hProcess, 1);
        ::WaitForSingleObject(m_info.hProcess, 5000);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    HelperProgram(const HelperProgram&) = delete;
    HelperProgram& operator=(const HelperProgram&) = delete;

    std::vector<std::string> Log() const
    {
        std::vector<std::string> lines;
        const std::string bytes = m_install.ReadFile(kLog).value_or("");
        for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(bytes.substr(start, end - start));
        return lines;
    }
    bool WaitForLogLine(const std::string& wanted, DWORD timeoutMs = 5000) const
    {
        return WaitUntil([&] {
            for (const std::string& line : Log())
                if (_stricmp(line.c_str(), wanted.c_str()) == 0)
                    return true;
            return false;
        }, timeoutMs);
    }
    // Its visible "#32770" window: the dialog it shows.
    HWND WaitForDialog() const
    {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = ::FindWindowExA(nullptr, w, "#32770", nullptr))
                if (::IsWindowVisible(w) && WindowProcess(w) == m_info.dwProcessId)
                    found = w;
            return found != nullptr;
        });
        return found;
    }

private:
    static constexpr char kLog[] = "dialog.log";
    const ProgramInstall& m_install;
    PROCESS_INFORMATION m_info{};
};

class FileDialogNavigationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllInstances();
        PutTextOnClipboard(kMarker);
        ASSERT_TRUE(::CreateDirectoryA(m_start.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(m_target.c_str(), nullptr));
    }
    void TearDown() override
    {
        m_program.reset();
        EndAllInstances();
    }

    // As HotkeyActionsTest starts it: the NT edition with these settings, gone to the tray.
    void Start(const std::string& settings)
    {
        m_install.WriteFile("keyset.ini", settings);
        m_program = std::make_unique<Process>(m_install.Path("ntlauncher.exe"), m_install.Folder());
        HWND dialog = FindMainDialog(m_program->Id());
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(dialog); }));
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); }));
    }

    // The popup that confirms a text shortcut, until it closes by itself.
    bool PopupShown() const
    {
        for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = ::FindWindowExA(nullptr, w, "#32770", nullptr))
            if (::IsWindowVisible(w) && WindowProcess(w) == m_program->Id() && ::GetDlgItem(w, kNotifyText))
                return true;
        return false;
    }

    ProgramInstall m_install{CurrentTestName()};
    std::unique_ptr<Process> m_program;
    const std::string m_start = m_install.Path("start");
    const std::string m_target = m_install.Path("target");
};

// Wine's real item dialog; where it is comes from IFileDialog::GetFolder, read when it
// reports a folder change.
TEST_F(FileDialogNavigationTest, WinesItemDialogMovesToTheShortcutsFolder)
{
    ShellRecorder folders({"Folder"});
    Start("[paths]\r\nF9=  " + m_target + "\r\n");
    const struct {
        const char* mode;
        const char* nameAfterwards;
    } cases[] = {
        {"open", ""},
        {"save", kSuggestedName},   // the application's suggestion survives the jump
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        HelperProgram host("itemdialoghost.exe", m_install, {c.mode, m_start});
        HWND frame = host.WaitForDialog();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(host.WaitForLogLine("folder " + m_start));
        BringToFront(frame);

        PressChord({VK_CONTROL, VK_MENU, VK_F9});
        EXPECT_TRUE(host.WaitForLogLine("folder " + m_target, 3000)) << "the dialog never reached " << m_target;
        HWND name = ::GetDlgItem(frame, kItemDialogFileNameId);
        EXPECT_TRUE(WaitUntil([&] { return BoxText(name) == c.nameAfterwards; }, 2000));
        ::Sleep(300);
        EXPECT_EQ(BoxText(name), c.nameAfterwards) << "the dialog changed its name box afterwards";
        EXPECT_TRUE(folders.Records().empty()) << "the folder was opened with the shell";
    }
}

// The Windows 10/11 trees, built by the fixture with real controls where Windows uses
// them. The save fixture makes its name box anew when OK is pressed, as the real
// dialog may, so the suggested name must go into the new box.
TEST_F(FileDialogNavigationTest, WindowsDialogsGetThePathAndOkThenTheirName)
{
    ShellRecorder folders({"Folder"});
    Start("[paths]\r\nF9=" + m_target + "\r\n");
    const struct {
        const char* tree;
        const char* nameAfterwards;
    } cases[] = {
        {"open", ""},
        {"save", kSuggestedName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tree);
        HelperProgram fixture("filedialogfixture.exe", m_install, {c.tree});
        HWND frame = fixture.WaitForDialog();
        ASSERT_NE(frame, nullptr);
        BringToFront(frame);

        PressChord({VK_CONTROL, VK_MENU, VK_F9});
        const std::string restored = std::string("name ") + c.nameAfterwards;
        EXPECT_TRUE(fixture.WaitForLogLine(restored, 3000));
        std::vector<std::string> log = fixture.Log();
        log.erase(std::remove(log.begin(), log.end(), "front"), log.end());
        EXPECT_EQ(log, (std::vector<std::string>{"name " + m_target, "ok " + m_target, restored}));
        EXPECT_TRUE(folders.Records().empty()) << "the folder was opened with the shell";
    }
}

// Dialogs of a program that stops answering. The hotkey must not wait for one: every
// shortcut pressed meanwhile would wait behind it.
TEST_F(FileDialogNavigationTest, ADialogThatDoesNotAnswerHoldsUpNothing)
{
    ShellRecorder recorder({".twk"});
    m_install.WriteFile("report.twk", "");
    const std::string path = m_install.Path("report.twk");
    Start("[paths]\r\nF9=" + path + "\r\n[contents]\r\nT=tee\r\n");
    const struct {
        const char* what;
        const char* tree;
        const char* hangAt;
        bool toTheShell;   // the dialog never answered, so the path is opened instead
    } cases[] = {
        {"an Explorer-style dialog hung in front", "explorer", "front", true},
        {"a Windows 10 save dialog hung in front", "save", "front", true},
        {"a Windows 10 open dialog that hangs on OK", "open", "ok", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        recorder.Clear();
        PutTextOnClipboard(kMarker);
        HelperProgram fixture("filedialogfixture.exe", m_install, {c.tree, c.hangAt, kHangMs});
        HWND frame = fixture.WaitForDialog();
        ASSERT_NE(frame, nullptr);
        BringToFront(frame);
        if (std::string(c.hangAt) == "front") {
            ASSERT_TRUE(fixture.WaitForLogLine("hanging"));
        }

        PressChord({VK_CONTROL, VK_MENU, VK_F9});
        ::Sleep(300);
        const DWORD sequence = ::GetClipboardSequenceNumber();
        const DWORD pressedAt = ::GetTickCount();
        PressKeys({VK_CONTROL, VK_MENU, 'T'});
        // The clipboard is opened only once it has changed: holding it open earlier
        // would make the program's own attempt fail.
        EXPECT_TRUE(WaitUntil([&] {
            return ::GetClipboardSequenceNumber() != sequence && ClipboardText() == std::optional<std::string>("tee");
        }, 10000, 5));
        const DWORD took = ::GetTickCount() - pressedAt;
        std::cout << "[ figure ] " << c.what << ": text shortcut to the clipboard in " << took << " ms\n";
        // Giving up on the dialog costs one wait of a second, and the shell's start
        // follows; a program that waits for the dialog takes the whole hang.
        EXPECT_LT(took, 2500u);
        if (c.toTheShell) {
            ASSERT_TRUE(recorder.WaitForRecords(1));
            EXPECT_EQ(recorder.Records().front(), Quoted(path));
        } else {
            ::Sleep(500);
            EXPECT_TRUE(recorder.Records().empty()) << "the dialog had the path already";
        }
        EXPECT_TRUE(WaitUntil([&] { return !PopupShown(); }, 5000));
    }
}

}  // namespace
