// What CTRL+ALT+key does, pressed with real input through the real hook: texts and
// pictures on the clipboard with their popup, paths into other programs' file dialogs
// or to the shell, and the program's composure under a flood of keys.
#include "app/WindowMessages.h"
#include "tests/wine/support/FileDialogDriver.h"
#include "tests/wine/support/HotkeyTest.h"
#include "tests/wine/support/MessageBoxDriver.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/WindowThread.h"
#include <commctrl.h>
#include <atomic>
#include <vector>

using namespace wt;

namespace {

constexpr int kOfficeFileNameId = 48;
constexpr char kTextLoaded[] = "Your text has been loaded into the clipboard.";
constexpr char kImageLoaded[] = "Your image has been loaded into the clipboard.";

class HotkeyActionsTest : public HotkeyTest {
protected:
    void SetUp() override
    {
        HotkeyTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(PutMarkerOnClipboard());
    }

    void CloseAllPopups() { EXPECT_TRUE(wt::CloseAllPopups(ProgramId())); }

    void ExpectClipboardText(const std::string& expected)
    {
        EXPECT_TRUE(WaitUntil([] { return ClipboardText() != std::optional<std::string>(kMarker); }, 3000));
        EXPECT_EQ(ClipboardText().value_or("(none)"), expected);
    }
};

TEST_F(HotkeyActionsTest, TextGoesToTheClipboardAndThePopupClosesByItself)
{
    ASSERT_NO_FATAL_FAILURE(Start("[contents]\r\nT=Kind regards,{}The desk\r\n"));
    PressChord({VK_CONTROL, VK_MENU, 'T'});

    HWND popup = WaitForPopup(ProgramId());
    ASSERT_NE(popup, nullptr);
    const DWORD shownAt = ::GetTickCount();
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_NOTIFY_TEXT)), kTextLoaded);
    EXPECT_EQ(WindowText(popup), "Tarnwick");
    EXPECT_EQ(ClipboardText().value_or("(none)"), "Kind regards,\r\nThe desk");

    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(popup); }, 10000, 10));
    const DWORD shownFor = ::GetTickCount() - shownAt;
    EXPECT_GE(shownFor, 1300u) << "closed before its time";
    // Windows hides a window at once; a thread held up after a hide (as Wine holds it
    // on a display without a window manager, for up to 2 s) would hold up the next hotkey.
    DWORD_PTR ignored = 0;
    EXPECT_NE(::SendMessageTimeoutW(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored), 0)
        << "the program did not answer within a second of hiding the popup";
}

TEST_F(HotkeyActionsTest, ThePopupClosesAtOnceOnAClickEscapeOrItsCloseCommand)
{
    ASSERT_NO_FATAL_FAILURE(Start("[contents]\r\nT=tee\r\n"));
    const struct {
        const char* how;
        std::function<void(HWND)> close;
    } cases[] = {
        {"click beside the text", [](HWND popup) {
             RECT box{};
             ::GetWindowRect(popup, &box);
             ClickAt(box.left + 4, box.bottom - 4);
         }},
        {"click on the text", [](HWND popup) {
             ClickOn(::GetDlgItem(popup, IDC_NOTIFY_TEXT));
         }},
        {"escape", [](HWND popup) {
             // Escape as it reaches the popup once it has the focus: through its queue,
             // where the dialog loop turns it into the cancel command.
             ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
             ::PostMessageA(popup, WM_KEYUP, VK_ESCAPE, 0);
         }},
        {"close command", [](HWND popup) { ::PostMessageA(popup, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        PressChord({VK_CONTROL, VK_MENU, 'T'});
        HWND popup = WaitForPopup(ProgramId());
        ASSERT_NE(popup, nullptr);
        c.close(popup);
        // At once: well before its display time would have ended it.
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(popup); }, 1000, 10));
    }
    EXPECT_TRUE(Responsive());
}

TEST_F(HotkeyActionsTest, APictureGoesToTheClipboardPixelForPixel)
{
    const std::vector<COLORREF> pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
    m_install.WriteFile("face.bmp", BitmapFile(3, 2, pixels));
    ASSERT_NO_FATAL_FAILURE(Start("[graphics]\r\nP=" + m_install.Path("face.bmp") + "\r\n"));
    PressChord({VK_CONTROL, VK_MENU, 'P'});

    HWND popup = WaitForPopup(ProgramId());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_NOTIFY_TEXT)), kImageLoaded);
    std::optional<Picture> picture = ClipboardPicture();
    ASSERT_TRUE(picture.has_value()) << "no CF_BITMAP on the clipboard";
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->pixels, pixels);
    CloseAllPopups();
}

TEST_F(HotkeyActionsTest, APictureThatWillNotLoadIsReportedAndTheClipboardKept)
{
    m_install.WriteFile("broken.bmp", "BM this is no bitmap");
    const struct {
        const char* key;
        std::string file;
    } cases[] = {
        {"M", m_install.Path("missing.bmp")},
        {"B", m_install.Path("broken.bmp")},
    };
    ASSERT_NO_FATAL_FAILURE(Start("[graphics]\r\nM=" + cases[0].file + "\r\nB=" + cases[1].file + "\r\n"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PressChord({VK_CONTROL, VK_MENU, static_cast<WORD>(c.key[0])});
        HWND box = WaitForMessageBox(ProgramId());
        ASSERT_NE(box, nullptr);
        const Question question = ReadMessageBox(box);
        EXPECT_EQ(question.text, "Can't load file \"" + c.file + "\" as a bitmap.");
        EXPECT_EQ(question.caption, "Tarnwick");
        EXPECT_TRUE(PopupsOf(ProgramId()).empty());
        CloseMessageBox(box, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
        EXPECT_EQ(ClipboardText().value_or("(none)"), kMarker);
        EXPECT_FALSE(ClipboardHasBitmap());
    }
}

TEST_F(HotkeyActionsTest, TheKeysMustMatchTheRecord)
{
    ASSERT_NO_FATAL_FAILURE(Start("[contents]\r\n5=five\r\nT=tee\r\n"));
    const struct {
        const char* what;
        std::initializer_list<WORD> keys;
        const char* expected;
    } cases[] = {
        {"numeric pad digit", {VK_CONTROL, VK_MENU, VK_NUMPAD5}, "five"},
        {"digit row", {VK_CONTROL, VK_MENU, '5'}, "five"},
        {"letter", {VK_CONTROL, VK_MENU, 'T'}, "tee"},
        {"shift held", {VK_CONTROL, VK_MENU, VK_SHIFT, 'T'}, nullptr},
        {"alt missing", {VK_CONTROL, 'T'}, nullptr},
        {"another digit on the pad", {VK_CONTROL, VK_MENU, VK_NUMPAD6}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(PutMarkerOnClipboard());
        PressChord(c.keys);
        if (c.expected) {
            ExpectClipboardText(c.expected);
            // The popup comes a moment after the clipboard changes: the next case must not find it.
            EXPECT_TRUE(CloseThePopup(ProgramId())) << "no popup";
        } else {
            EXPECT_EQ(WaitForPopup(ProgramId(), 700), nullptr);
            EXPECT_EQ(ClipboardText().value_or("(none)"), kMarker);
        }
    }
}

TEST_F(HotkeyActionsTest, EveryMatchingRecordRunsInTableOrder)
{
    ShellRecorder recorder({".twk"});
    m_install.WriteFile("report.twk", "");
    // Written text first: the table still lists the path before it.
    ASSERT_NO_FATAL_FAILURE(Start("[contents]\r\nW=hello\r\n[paths]\r\nW=" + m_install.Path("report.twk") + "\r\n"));
    PressChord({VK_CONTROL, VK_MENU, 'W'});

    ASSERT_TRUE(recorder.WaitForRecords(1));
    ExpectClipboardText("hello");
    EXPECT_NE(WaitForPopup(ProgramId()), nullptr);
    std::vector<std::string> records = recorder.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], "\"" + m_install.Path("report.twk") + "\"");
    CloseAllPopups();
}

TEST_F(HotkeyActionsTest, PathsOpenWithTheShellAsPrepared)
{
    ShellRecorder recorder({".twk", "mailto", "ftp"});
    m_install.WriteFile("report.twk", "");
    const struct {
        WORD key;
        std::string stored;
        std::string received;
    } cases[] = {
        {'1', "  " + m_install.Path("report.twk"), m_install.Path("report.twk")},
        {'2', "mailto:desk@example.com", "mailto:desk@example.com"},
        {'3', "\tftp:\\\\files\\pub\\", "ftp://files/pub/"},
        {'4', "FTP:\\\\files\\pub", "FTP://files/pub"},
    };
    std::string settings = "[paths]\r\n";
    for (const auto& c : cases)
        settings += std::string(1, static_cast<char>(c.key)) + "=" + c.stored + "\r\n";
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        recorder.Clear();
        PressChord({VK_CONTROL, VK_MENU, c.key});
        ASSERT_TRUE(recorder.WaitForRecords(1));
        EXPECT_EQ(recorder.Records().front(), "\"" + c.received + "\"");
    }
    EXPECT_EQ(ClipboardText().value_or("(none)"), kMarker);
}

// The common dialog runs GetOpenFileNameA on a thread of the test, as another
// program would run it.
TEST_F(HotkeyActionsTest, APathMovesTheCommonFileDialogInFront)
{
    const std::string start = m_install.Path("start");
    const std::string target = m_install.Path("target");
    ASSERT_TRUE(::CreateDirectoryA(start.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(target.c_str(), nullptr));
    // The text under the same key shows whether the walk ended after the navigation.
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF9=  " + target + "\r\n[contents]\r\nF9=walked on\r\n"));

    WindowThread dialogThread([&] { RunOpenDialog(start); });
    HWND frame = dialogThread.WaitForWindow(IsFileDialog);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(BringToFront(frame));

    PressChord({VK_CONTROL, VK_MENU, VK_F9});
    std::string folder;
    EXPECT_TRUE(WaitUntil([&] {
        folder = FileDialogFolder(frame);
        return _stricmp(folder.c_str(), target.c_str()) == 0;
    }, 3000)) << "the dialog is in " << folder;
    EXPECT_EQ(WindowText(FileNameBox(frame)), "");
    EXPECT_EQ(WaitForPopup(ProgramId(), 700), nullptr);
    EXPECT_EQ(ClipboardText().value_or("(none)"), kMarker);
}

// Stands in for an Office file dialog: its class and a rich-edit file-name box that
// records the keys it is sent.
class OfficeDialogFixture {
public:
    static constexpr char kClassName[] = "bosa_sdm_Mso96";

    OfficeDialogFixture() : m_thread([this] { Run(); }) {}
    HWND Frame() const { return m_frame; }
    HWND FileNameBox() const { return m_box; }
    int EnterDowns() const { return m_enterDowns; }
    int EnterUps() const { return m_enterUps; }
    bool WaitUntilReady() { return WaitUntil([&] { return m_box != nullptr; }); }

private:
    void Run()
    {
        ::LoadLibraryA("riched20.dll");
        RunTopLevelWindow(kClassName, [this](HWND frame) {
            HWND box = ::CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 300, 24,
                                         frame, reinterpret_cast<HMENU>(kOfficeFileNameId), nullptr, nullptr);
            ::SetWindowSubclass(box, BoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
            m_frame = frame;
            m_box = box;
        });
    }
    static LRESULT CALLBACK BoxProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        auto* fixture = reinterpret_cast<OfficeDialogFixture*>(self);
        if (message == WM_KEYDOWN && wParam == VK_RETURN)
            ++fixture->m_enterDowns;
        if (message == WM_KEYUP && wParam == VK_RETURN)
            ++fixture->m_enterUps;
        return ::DefSubclassProc(w, message, wParam, lParam);
    }

    std::atomic<HWND> m_frame{nullptr};
    std::atomic<HWND> m_box{nullptr};
    std::atomic<int> m_enterDowns{0};
    std::atomic<int> m_enterUps{0};
    WindowThread m_thread;
};

TEST_F(HotkeyActionsTest, APathGoesIntoTheOfficeFileDialogInFront)
{
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF9= FTP:\\\\files\\pub\r\n"));
    OfficeDialogFixture office;
    ASSERT_TRUE(office.WaitUntilReady());
    ASSERT_TRUE(BringToFront(office.Frame()));

    PressChord({VK_CONTROL, VK_MENU, VK_F9});
    EXPECT_TRUE(WaitUntil([&] { return office.EnterUps() == 1; }, 3000));
    EXPECT_EQ(office.EnterDowns(), 1);
    EXPECT_EQ(WindowText(office.FileNameBox()), "FTP://files/pub");
}

TEST_F(HotkeyActionsTest, AMessageBoxInFrontLeavesThePathToTheShell)
{
    ShellRecorder recorder({".twk"});
    m_install.WriteFile("report.twk", "");
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nF9=" + m_install.Path("report.twk") + "\r\n"));
    WindowThread boxThread([] { ::MessageBoxA(nullptr, "Something happened.", "Front", MB_OK); });
    HWND box = boxThread.WaitForWindow([](HWND w) { return WindowText(w) == "Front"; });
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(BringToFront(box));

    PressChord({VK_CONTROL, VK_MENU, VK_F9});
    EXPECT_TRUE(recorder.WaitForRecords(1));
    EXPECT_TRUE(::IsWindow(box)) << "the message box was acted on";
}

TEST_F(HotkeyActionsTest, AFloodOfKeysLeavesTheProgramResponsive)
{
    ASSERT_NO_FATAL_FAILURE(Start("[contents]\r\nT=tee\r\n"));
    // A held key: the keyboard repeats its key-down without a key-up.
    // In one burst, as PressChord does: Wine puts the modifiers back when the focus moves.
    std::vector<INPUT> held;
    auto key = [&held](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        held.push_back(input);
    };
    key(VK_CONTROL, false);
    key(VK_MENU, false);
    for (int i = 0; i < 50; ++i)
        key('T', false);
    key('T', true);
    key(VK_MENU, true);
    key(VK_CONTROL, true);
    ::Sleep(300);
    ::SendInput(static_cast<UINT>(held.size()), held.data(), sizeof(INPUT));
    ExpectClipboardText("tee");
    ::Sleep(300);
    EXPECT_LE(PopupsOf(ProgramId()).size(), 1u) << "each repeat opened a popup";
    CloseAllPopups();

    constexpr DWORD kQuickSuccessionMs = 20;
    for (int i = 0; i < 100; ++i) {
        PressKeys({VK_CONTROL, VK_MENU, 'T'});
        ::Sleep(kQuickSuccessionMs);
    }
    // Each press gets its popup in turn; meanwhile the program keeps answering.
    for (int check = 0; check < 5; ++check) {
        EXPECT_TRUE(Responsive()) << "check " << check;
        ::Sleep(1000);
    }
    EXPECT_FALSE(m_program->WaitForExit(0)) << "the program ended";
    EXPECT_EQ(ClipboardText().value_or("(none)"), "tee");
}

TEST_F(HotkeyActionsTest, TheCaptureKeyKeepsOneCaptureWindow)
{
    ASSERT_NO_FATAL_FAILURE(Start("[contents]\r\nT=tee\r\n"));
    auto captureWindows = [&] {
        int count = 0;
        for (HWND w = ::FindWindowExA(nullptr, nullptr, nullptr, "Target"); w; w = ::FindWindowExA(nullptr, w, nullptr, "Target"))
            count += WindowProcess(w) == ProgramId();
        return count;
    };
    PressChord({VK_CONTROL, VK_MENU, VK_SNAPSHOT});
    ASSERT_TRUE(WaitUntil([&] { return captureWindows() == 1; }));
    PressChord({VK_CONTROL, VK_MENU, VK_SNAPSHOT});
    ::Sleep(300);
    EXPECT_EQ(captureWindows(), 1);
    PressChord({VK_SNAPSHOT});
    ::Sleep(300);
    EXPECT_EQ(captureWindows(), 1);

    ::PostMessageA(m_dialog, kDestroyCaptureMessage, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return captureWindows() == 0; }));
    EXPECT_TRUE(Responsive());
}

}  // namespace
