// A path shortcut pressed with real input through the real hook, with a file dialog of
// another program in front: Wine's own item dialog (what IFileOpenDialog and
// IFileSaveDialog show under Wine), stand-ins for the Windows 10/11 dialogs that Wine
// does not have (tests/wine/fixtures), and dialogs that stop answering.
#include "tests/wine/support/FileDialogDriver.h"
#include "tests/wine/support/MessageBoxDriver.h"
#include "tests/wine/support/ProgramDialogs.h"
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/Utf8.h"
#include "tests/wine/support/WindowThread.h"
#include <algorithm>
#include <iostream>
#include <vector>

using namespace wt;

namespace {

constexpr int kItemDialogFileNameId = 1152;
constexpr char kSuggestedName[] = "report.docx";
// How long the hanging fixtures stop answering: far longer than any wait of ours.
constexpr char kHangMs[] = "8000";

// The open and the save dialog of each kind, and what the file-name box holds once
// the dialog has moved: the application's suggestion survives the jump.
const struct {
    const char* mode;
    const char* nameAfterwards;
} kOpenAndSave[] = {
    {"open", ""},
    {"save", kSuggestedName},
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A program from tests/wine/fixtures, started with arguments. It writes what it sees
// into a log in the test's folder, one line an event, and does not outlive the test.
class HelperProgram {
public:
    HelperProgram(const char* exe, const ProgramInstall& install, std::initializer_list<std::string> arguments)
        : m_install(install), m_process(BuildFolder() + "\\" + exe, install.Folder(), WithLog(install, arguments))
    {
    }

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
        return WaitForProcessDialog(m_process.Id(), [](HWND) { return true; });
    }

private:
    static constexpr char kLog[] = "dialog.log";

    // The log comes first; what an earlier helper logged is gone, so that it cannot
    // answer this one's waits.
    static std::vector<std::string> WithLog(const ProgramInstall& install, std::initializer_list<std::string> arguments)
    {
        ::DeleteFileA(install.Path(kLog).c_str());
        std::vector<std::string> all{install.Path(kLog)};
        all.insert(all.end(), arguments);
        return all;
    }

    const ProgramInstall& m_install;
    Process m_process;
};

class FileDialogNavigationTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(PutMarkerOnClipboard());
        ASSERT_TRUE(::CreateDirectoryA(m_start.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(m_target.c_str(), nullptr));
    }

    // The NT edition with these settings, gone to the tray: the hook is installed.
    void Start(const std::string& settings)
    {
        ASSERT_NO_FATAL_FAILURE(StartProgram(settings));
        ASSERT_NO_FATAL_FAILURE(WaitUntilInTray());
    }

    const std::string m_start = m_install.Path("start");
    const std::string m_target = m_install.Path("target");
};

// Wine's real item dialog; where it is comes from IFileDialog::GetFolder, read when it
// reports a folder change.
TEST_F(FileDialogNavigationTest, WinesItemDialogMovesToTheShortcutsFolder)
{
    ShellRecorder folders({"Folder"});
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF9=  " + m_target + "\r\n"));
    for (const auto& c : kOpenAndSave) {
        SCOPED_TRACE(c.mode);
        HelperProgram host("itemdialoghost.exe", m_install, {c.mode, m_start});
        HWND frame = host.WaitForDialog();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(host.WaitForLogLine("folder " + m_start));
        ASSERT_TRUE(BringToFront(frame));

        PressChord({VK_CONTROL, VK_MENU, VK_F9});
        EXPECT_TRUE(host.WaitForLogLine("folder " + m_target, 3000)) << "the dialog never reached " << m_target;
        HWND name = ::GetDlgItem(frame, kItemDialogFileNameId);
        EXPECT_TRUE(WaitUntil([&] { return ControlText(name) == c.nameAfterwards; }, 2000));
        ::Sleep(300);
        EXPECT_EQ(ControlText(name), c.nameAfterwards) << "the dialog changed its name box afterwards";
        EXPECT_TRUE(folders.Records().empty()) << "the folder was opened with the shell";
    }
}

// The Windows 10/11 trees, built by the fixture with real controls where Windows uses
// them. The save fixture makes its name box anew when OK is pressed, as the real
// dialog may, so the suggested name must go into the new box.
TEST_F(FileDialogNavigationTest, WindowsDialogsGetThePathAndOkThenTheirName)
{
    ShellRecorder folders({"Folder"});
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF9=" + m_target + "\r\n"));
    for (const auto& c : kOpenAndSave) {
        SCOPED_TRACE(c.mode);
        HelperProgram fixture("filedialogfixture.exe", m_install, {c.mode});
        HWND frame = fixture.WaitForDialog();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(BringToFront(frame));

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
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF9=" + path + "\r\n[contents]\r\nT=tee\r\n"));
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
        ASSERT_NO_FATAL_FAILURE(PutMarkerOnClipboard());
        HelperProgram fixture("filedialogfixture.exe", m_install, {c.tree, c.hangAt, kHangMs});
        HWND frame = fixture.WaitForDialog();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(BringToFront(frame));
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
        // The program gave up on the dialog: the text came while the dialog still hung.
        EXPECT_FALSE(fixture.WaitForLogLine("answering", 0)) << "the text waited for the dialog";
        if (c.toTheShell) {
            ASSERT_TRUE(recorder.WaitForRecords(1));
            EXPECT_EQ(recorder.Records().front(), Quoted(path));
        } else {
            ::Sleep(500);
            EXPECT_TRUE(recorder.Records().empty()) << "the dialog had the path already";
        }
        // The popup that confirms the text, until it closes by itself.
        EXPECT_TRUE(WaitUntil([&] { return PopupsOf(ProgramId()).empty(); }, 5000));
    }
}

// Wine's real save dialog, run by the test as another program would run it, suggesting
// a name. A path must never become the name it saves under: only a folder that exists
// takes it, with the suggestion kept; a file, there or yet to be made, gives its folder
// and its name, for the user to save under or not; a file's folder that is not there
// goes nowhere, and a message names it.
TEST_F(FileDialogNavigationTest, WinesSaveDialogOnlyEverGoesToAFolderThatExists)
{
    const std::string missing = m_install.Path("nowhere\\");
    const std::string existing = m_target + "\\existing.txt";
    m_install.WriteFile("target\\existing.txt", "already here");
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF5=" + missing + "report.txt\r\nF6=" + existing + "\r\nF7=" + m_target +
                                  "\r\nF9=" + m_target + "\\new.txt\r\n"));
    const struct {
        const char* what;
        WORD key;
        std::string folderAfterwards;
        std::string nameAfterwards;
        bool message;
    } cases[] = {
        {"a file in a folder that does not exist", VK_F5, m_start, "report.txt", true},
        {"a file", VK_F6, m_target, "existing.txt", false},
        {"a folder", VK_F7, m_target, "report.txt", false},
        {"a file yet to be made in a folder that exists", VK_F9, m_target, "new.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SaveDialogResult result;
        WindowThread dialogThread([&] { RunSaveDialog(m_start, "report.txt", result); });
        HWND frame = dialogThread.WaitForWindow(IsFileDialog);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(BringToFront(frame));

        PressChord({VK_CONTROL, VK_MENU, c.key});
        if (c.message) {
            HWND box = WaitForMessageBox(ProgramId());
            ASSERT_NE(box, nullptr) << "no word of the missing folder";
            EXPECT_EQ(ReadMessageBox(box).text, "The folder \"" + missing + "\" does not exist.");
            CloseMessageBox(box, IDOK);
        }
        std::string folder;
        EXPECT_TRUE(WaitUntil([&] { return _stricmp((folder = FileDialogFolder(frame)).c_str(), c.folderAfterwards.c_str()) == 0; }, 3000))
            << "the dialog is in " << folder;
        EXPECT_TRUE(WaitUntil([&] { return ControlText(FileNameBox(frame)) == c.nameAfterwards; }, 3000))
            << "the name box holds " << ControlText(FileNameBox(frame));
        EXPECT_FALSE(result.ended) << "the dialog saved, as " << result.chosen.value_or("nothing");
        EXPECT_FALSE(m_install.ReadFile("nowhere").has_value()) << "a file was made of the missing folder's name";
        EXPECT_FALSE(m_install.ReadFile("target\\new.txt").has_value()) << "the new file was saved at once";
        ::PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
    }
    EXPECT_EQ(m_install.ReadFile("target\\existing.txt"), std::optional<std::string>("already here"));
}

// A mail address means nothing to a file dialog: the mail program gets it, and the
// dialog's name box keeps what the user typed there.
TEST_F(FileDialogNavigationTest, AMailAddressNeverGoesIntoAFileDialog)
{
    ShellRecorder mail({"mailto"});
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF8=mailto:desk@example.com\r\n"));
    WindowThread dialogThread([&] { RunOpenDialog(m_start); });
    HWND frame = dialogThread.WaitForWindow(IsFileDialog);
    ASSERT_NE(frame, nullptr);
    SetControlText(FileNameBox(frame), "typed.txt");
    ASSERT_TRUE(BringToFront(frame));

    PressChord({VK_CONTROL, VK_MENU, VK_F8});
    ASSERT_TRUE(mail.WaitForRecords(1)) << "the mail program was not asked";
    EXPECT_NE(mail.Records().front().find("mailto:desk@example.com"), std::string::npos) << mail.Records().front();
    EXPECT_EQ(ControlText(FileNameBox(frame)), "typed.txt");
    EXPECT_EQ(_stricmp(FileDialogFolder(frame).c_str(), m_start.c_str()), 0);
}

// A folder of any name: Wine's two dialogs move there, and the shell opens it when no
// dialog is in front.
TEST_F(FileDialogNavigationTest, AFolderOfCyrillicLettersIsReachedEverywhere)
{
    const std::string folder = m_install.Path("\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82_\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0");
    ASSERT_TRUE(::CreateDirectoryW(Wide(folder).c_str(), nullptr));
    ShellRecorder folders({"Folder"});
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF9=" + folder + "\r\n"));
    {
        WindowThread dialogThread([&] { RunOpenDialog(m_start); });
        HWND frame = dialogThread.WaitForWindow(IsFileDialog);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(BringToFront(frame));
        PressChord({VK_CONTROL, VK_MENU, VK_F9});
        std::string shown;
        EXPECT_TRUE(WaitUntil([&] { return (shown = FileDialogFolder(frame)) == folder; }, 3000)) << "the dialog is in " << shown;
    }
    {
        HelperProgram host("itemdialoghost.exe", m_install, {"open", m_start});
        HWND frame = host.WaitForDialog();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(host.WaitForLogLine("folder " + m_start));
        ASSERT_TRUE(BringToFront(frame));
        PressChord({VK_CONTROL, VK_MENU, VK_F9});
        EXPECT_TRUE(host.WaitForLogLine("folder " + folder, 3000)) << "the item dialog never reached the folder";
    }
    EXPECT_TRUE(folders.Records().empty()) << "a dialog in front, and the folder was opened with the shell";

    WindowThread desk([] { RunTopLevelWindow("TarnwickTestDesk", [](HWND) {}); });
    HWND window = desk.WaitForWindow([](HWND) { return true; });
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToFront(window));
    PressChord({VK_CONTROL, VK_MENU, VK_F9});
    ASSERT_TRUE(folders.WaitForRecords(1)) << "the shell did not open the folder";
    EXPECT_NE(folders.Records().front().find(folder), std::string::npos) << folders.Records().front();
}

}  // namespace
