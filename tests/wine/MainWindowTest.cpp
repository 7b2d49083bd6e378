// Start-up, single instance, the main dialog's states, its keyboard (Tab and the access
// keys) and the tray icon, driven as a user would: real programs, real input, the tray
// asked through the shell.
#include "app/WindowMessages.h"
#include "framework/UniqueHandle.h"
#include "tests/wine/support/MainDialogDriver.h"
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/RemoteControls.h"
#include <psapi.h>

using namespace wt;

namespace {

const char kThreeShortcuts[] =
    "[paths]\r\nF2=c:\\reports\r\nA=c:\\minutes.doc\r\n"
    "[contents]\r\n3=Kind regards,{}The desk\r\n";

std::string ProcessImageName(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    ::QueryFullProcessImageNameA(process, 0, path, &size);
    ::CloseHandle(process);
    std::string name(path, size);
    return name.substr(name.find_last_of("\\/") + 1);
}

class MainWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        SetWindowsVersion("Tarnwick.exe", nullptr);
    }
    void TearDown() override
    {
        m_processes.clear();
        ProgramTest::TearDown();
        SetWindowsVersion("Tarnwick.exe", nullptr);
    }
    Process& Start(const std::string& exe)
    {
        m_processes.push_back(std::make_unique<Process>(m_install.Path(exe), m_install.Folder()));
        return *m_processes.back();
    }
    // The NT edition, started and shown or hidden according to the settings file;
    // its main dialog, or nullptr when none came up.
    HWND StartNtEdition() { return FindMainDialog(Start("ntlauncher.exe").Id()); }
    // Right-clicks the tray icon (as the shell reports it) and clicks item 0 or 1.
    void ChooseTrayMenuItem(HWND dialog, int item)
    {
        ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(dialog); }));
        ::PostMessageA(dialog, kTrayNotifyMessage, kTrayIconId, WM_RBUTTONDOWN);
        HWND menu = FindPopupMenu();
        ASSERT_NE(menu, nullptr) << "no tray menu";
        RECT box{};
        ::GetWindowRect(menu, &box);
        const int itemHeight = (box.bottom - box.top) / 2;
        ClickAt((box.left + box.right) / 2, box.top + itemHeight * item + itemHeight / 2);
        ASSERT_TRUE(WaitUntil([] { return FindPopupMenu(0) == nullptr; })) << "tray menu stayed open";
    }

    std::vector<std::unique_ptr<Process>> m_processes;
};

TEST_F(MainWindowTest, OnNtTheProgramStartsTheNtEditionAndEnds)
{
    Process& launcher = Start("Tarnwick.exe");
    ASSERT_TRUE(launcher.WaitForExit(kStartTimeoutMs));
    HWND dialog = FindMainDialog(0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(WindowProcess(dialog), launcher.Id());
    EXPECT_STREQ(ProcessImageName(WindowProcess(dialog)).c_str(), "ntlauncher.exe");
}

TEST_F(MainWindowTest, OnNinexTheProgramRunsItself)
{
    SetWindowsVersion("Tarnwick.exe", "win98");
    Process& program = Start("Tarnwick.exe");
    EXPECT_NE(FindMainDialog(program.Id()), nullptr);
    EXPECT_FALSE(program.WaitForExit(0));
}

TEST_F(MainWindowTest, ASecondInstanceEndsSilentlyAndLeavesTheFirstAlone)
{
    m_install.WriteFile("keyset.ini", kThreeShortcuts);
    HWND first = StartNtEdition();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(first); }));

    Process& second = Start("ntlauncher.exe");
    ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(FindMainDialog(second.Id(), 500), nullptr);
    EXPECT_FALSE(::IsWindowVisible(first)) << "the running instance was shown";
    EXPECT_TRUE(::IsWindow(first));
}

TEST_F(MainWindowTest, WithoutSettingsTheDialogStaysVisibleWithAllKeys)
{
    HWND dialog = StartNtEdition();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(dialog); }));
    // The dialog shows itself once its initialisation is done; then it stays.
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(dialog) != FALSE; }));
    ::Sleep(500);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(ListRows(::GetDlgItem(dialog, IDC_SHORTCUT_LIST)).empty());
    std::vector<std::string> keys = ComboEntries(::GetDlgItem(dialog, IDC_KEY_COMBO));
    ASSERT_EQ(keys.size(), 48u);
    EXPECT_EQ(keys.front(), "0");
    EXPECT_EQ(keys[10], "A");
    EXPECT_EQ(keys.back(), "F12");
}

TEST_F(MainWindowTest, WithShortcutsTheDialogHidesAndListsThemInKeyOrder)
{
    m_install.WriteFile("keyset.ini", kThreeShortcuts);
    HWND dialog = StartNtEdition();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(dialog); }));
    ::Sleep(500);
    EXPECT_FALSE(::IsWindowVisible(dialog)) << "dialog did not go to the tray";

    std::vector<ListRow> rows = ListRows(::GetDlgItem(dialog, IDC_SHORTCUT_LIST));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].key, "3");
    EXPECT_EQ(rows[0].payload, std::string("Kind regards,") + kShownLineBreak + "The desk");
    EXPECT_EQ(rows[1].key, "A");
    EXPECT_EQ(rows[2].key, "F2");
    EXPECT_EQ(rows[2].payload, "c:\\reports");

    HWND combo = ::GetDlgItem(dialog, IDC_KEY_COMBO);
    std::vector<std::string> keys = ComboEntries(combo);
    EXPECT_EQ(keys.size(), 45u);
    for (const char* used : {"3", "A", "F2"})
        EXPECT_EQ(std::find(keys.begin(), keys.end(), used), keys.end()) << used;
    EXPECT_EQ(ComboSelection(combo), "0");
}

TEST_F(MainWindowTest, TrayMenuOpensTheDialogAndExitEndsTheProgram)
{
    m_install.WriteFile("keyset.ini", kThreeShortcuts);
    HWND dialog = StartNtEdition();
    ASSERT_NE(dialog, nullptr);
    DWORD processId = WindowProcess(dialog);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); }));

    ASSERT_NO_FATAL_FAILURE(ChooseTrayMenuItem(dialog, 0));   // Open
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(dialog) != FALSE; })) << "Open did not show the dialog";

    ASSERT_NO_FATAL_FAILURE(ChooseTrayMenuItem(dialog, 1));   // Exit
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    EXPECT_EQ(::WaitForSingleObject(process, kStartTimeoutMs), WAIT_OBJECT_0) << "Exit did not end the program";
    ::CloseHandle(process);
    EXPECT_FALSE(TrayIconPresent(dialog)) << "tray icon left behind";
}

TEST_F(MainWindowTest, LeftClicksOnTheTrayIconShowNoMenu)
{
    m_install.WriteFile("keyset.ini", kThreeShortcuts);
    HWND dialog = StartNtEdition();
    ASSERT_NE(dialog, nullptr);
    for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP})
        ::PostMessageA(dialog, kTrayNotifyMessage, kTrayIconId, mouse);
    EXPECT_EQ(FindPopupMenu(500), nullptr);
}

TEST_F(MainWindowTest, EscapeCloseRequestsAndTheCloseBoxHideWithoutEnding)
{
    HWND dialog = StartNtEdition();
    ASSERT_NE(dialog, nullptr);
    DWORD processId = WindowProcess(dialog);
    struct Case {
        const char* name;
        void (*close)(HWND);
    } cases[] = {
        {"Escape", [](HWND d) { ::SetForegroundWindow(d); PressKeys({VK_ESCAPE}); }},
        {"WM_CLOSE", [](HWND d) { ::PostMessageA(d, WM_CLOSE, 0, 0); }},
        {"close box", [](HWND d) { ::PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        ::PostMessageA(dialog, WM_COMMAND, ID_TRAY_OPEN, 0);
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(dialog) != FALSE; })) << c.name;
        c.close(dialog);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); })) << c.name << " did not hide";
        EXPECT_EQ(FindMainDialog(processId, 100), dialog) << c.name << " ended the program";
    }
}

TEST_F(MainWindowTest, EnterInTheShownDialogDoesNothing)
{
    HWND dialog = StartNtEdition();
    ASSERT_NE(dialog, nullptr);
    ::SetForegroundWindow(dialog);
    PressKeys({VK_RETURN});
    ::Sleep(500);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(FindMainDialog(WindowProcess(dialog), 100), dialog);
}

// The tray menu's items chosen by their access keys, as a user with the menu open
// would. Wine keeps a program's menus to its own process, so the items' texts and
// their default cannot be read from here: the keys show the texts' underlined letters.
TEST_F(MainWindowTest, TheTrayMenusItemsAreChosenByTheirAccessKeys)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(kThreeShortcuts));
    ASSERT_NO_FATAL_FAILURE(WaitUntilInTray());
    const KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, ProgramId()));
    const struct {
        char key;
        const char* item;
        std::function<bool()> chosen;
    } cases[] = {
        {'O', "Open", [&] { return Shown(); }},
        {'X', "Exit", [&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        ::PostMessageA(m_dialog, kTrayNotifyMessage, kTrayIconId, WM_RBUTTONDOWN);
        ASSERT_NE(FindPopupMenu(), nullptr) << "no tray menu";
        PressChord({static_cast<WORD>(c.key)});
        EXPECT_TRUE(WaitUntil(c.chosen)) << c.key << " did not choose " << c.item;
        EXPECT_TRUE(WaitUntil([] { return FindPopupMenu(0) == nullptr; })) << "the tray menu stayed open";
    }
}

// Tab, Shift+Tab and the access keys in the shown dialog, pressed as real keys: Wine's
// own dialog manager moves the focus among the program's controls.
class DialogKeyboardTest : public EditorTest {
protected:
    HWND Focus() const { return FocusedControl(m_dialog); }
};

TEST_F(DialogKeyboardTest, TabVisitsTheControlsInReadingOrder)
{
    ASSERT_NO_FATAL_FAILURE(Start(kThreeShortcuts));
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Control(IDC_PATH); })) << "the form did not ask for a path";
    const struct {
        const char* state;
        std::function<void()> enter;
    } cases[] = {
        {"the form for a path", [] {}},
        {"the form for a text", [this] { ClickOn(Control(IDC_TEXT_RADIO)); }},
        {"a row viewed", [this] { ClickRow(0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        c.enter();
        Settle();
        ExpectTabInReadingOrder(m_dialog);
    }
}

TEST_F(DialogKeyboardTest, AnAccessKeyReachesItsControlOrPressesItsButton)
{
    ASSERT_NO_FATAL_FAILURE(StartForm());
    const struct {
        char key;
        const char* control;
        std::function<bool()> reached;
    } cases[] = {
        // A label's key goes to the control after it.
        {'K', "the key combo", [this] { return Focus() == Control(IDC_KEY_COMBO); }},
        {'M', "Email...", [this] { return Text(IDC_PATH) == "mailto:"; }},
        {'T', "the text's radio", [this] { return IsChecked(IDC_TEXT_RADIO) && IsEnabled(IDC_TEXT); }},
        {'S', "the list", [this] { return Focus() == Control(IDC_SHORTCUT_LIST); }},
        {'P', "the path's radio", [this] { return IsChecked(IDC_PATH_RADIO) && IsEnabled(IDC_PATH); }},
        // With no row selected, Edit says so.
        {'E', "Edit", [this] { return FindMessageBox(ProgramId()) != nullptr; }},
    };
    for (const auto& c : cases) {
        PressChord({VK_MENU, static_cast<WORD>(c.key)});
        EXPECT_TRUE(WaitUntil(c.reached, 3000)) << "ALT+" << c.key << " did not reach " << c.control;
        if (HWND box = FindMessageBox(ProgramId())) {
            CloseMessageBox(box, IDOK);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
        }
        Settle();
    }
}

}  // namespace
