// Saving the list with OK or the close box: the settings file written whole, the
// hotkeys rebuilt from it, the warning about input never accepted, and a save that
// cannot be written, which must lose nothing.
#include "app/WindowMessages.h"
#include "tests/wine/support/MainDialogDriver.h"
#include "tests/wine/support/ShellRecorder.h"

using namespace wt;

namespace {

constexpr char kCaptureClass[] = "TarnwickCapture";

class SaveSettingsTest : public SaveAndEditTest {
protected:
    // Presses CTRL+ALT+key; the clipboard text it left, once it changed.
    std::optional<std::string> TextOfHotkey(WORD key)
    {
        if (!PutTextOnClipboard(kMarker))
            return "(the clipboard did not take the marker)";
        PressHotkey(key);
        WaitUntil([] { return ClipboardText() != std::optional<std::string>(kMarker); }, 2000);
        // The popup comes a moment after the clipboard changes: a later check must not find it.
        EXPECT_TRUE(CloseThePopup(ProgramId())) << "no popup";
        return ClipboardText();
    }
    bool HotkeyDoesNothing(WORD key)
    {
        if (!PutTextOnClipboard(kMarker))
            return false;
        PressHotkey(key);
        ::Sleep(700);
        return ClipboardText() == std::optional<std::string>(kMarker) && PopupsOf(ProgramId()).empty();
    }
    bool CaptureShown() const
    {
        HWND capture = ::FindWindowA(kCaptureClass, nullptr);
        return capture && WindowProcess(capture) == ProgramId();
    }
};

TEST_F(SaveSettingsTest, ANewUsersShortcutsAreSavedRunAndComeBackAfterARestart)
{
    ShellRecorder recorder({".twk"});
    m_install.WriteFile("x.twk", "");
    const std::string path = m_install.Path("x.twk");
    const std::string picture = m_install.Path("images\\logo.bmp");
    const std::string text = "Dear all,\r\nsee you {soon}\r\n";
    ASSERT_NO_FATAL_FAILURE(Start());

    ASSERT_EQ(AcceptText("1", text), std::nullopt);
    ASSERT_EQ(AcceptPath("P", path), std::nullopt);
    ASSERT_EQ(AcceptPath("A", "c:\\reports"), std::nullopt);
    ASSERT_NO_FATAL_FAILURE(PickKey("G"));
    Click(IDC_GRAPHIC_RADIO);
    ASSERT_NO_FATAL_FAILURE(PastePicture(Control(IDC_IMAGE), picture));
    ASSERT_EQ(Click(IDC_ACCEPT), std::nullopt);
    ASSERT_EQ(RowKeys(), (std::vector<std::string>{"1", "A", "G", "P"}));

    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_FALSE(Shown()) << "OK did not send the dialog to the tray";
    // Sections come in the order of their first row, entries in list order.
    const std::string saved = "[contents]\r\n1=Dear all,{}see you {{soon}{}\r\n"
                              "[paths]\r\nA=c:\\reports\r\nP=" + path + "\r\n"
                              "[graphics]\r\nG=" + picture + "\r\n";
    EXPECT_EQ(Settings(), saved);

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "after the save" : "after a restart");
        EXPECT_EQ(TextOfHotkey('1'), text);

        ASSERT_NO_FATAL_FAILURE(PutMarkerOnClipboard());
        PressHotkey('G');
        EXPECT_TRUE(WaitUntil([&] { return ClipboardPicture().has_value(); }, 2000));
        const Picture pasted = ClipboardPicture().value_or(Picture{});
        EXPECT_EQ(pasted.pixels, TestPicture().pixels);
        EXPECT_EQ(pasted.width, kPictureWidth);
        EXPECT_EQ(pasted.height, kPictureHeight);
        EXPECT_TRUE(CloseThePopup(ProgramId())) << "no popup";

        recorder.Clear();
        PressHotkey('P');
        ASSERT_TRUE(recorder.WaitForRecords(1));
        EXPECT_EQ(recorder.Records().front(), "\"" + path + "\"");

        if (run == 0) {
            ASSERT_NO_FATAL_FAILURE(Restart());
            ASSERT_TRUE(WaitUntil([&] { return !Shown(); })) << "a configured program starts in the tray";
            std::vector<ListRow> rows = Rows();
            ASSERT_EQ(rows.size(), 4u);
            EXPECT_EQ(rows[0].payload, std::string("Dear all,") + kShownLineBreak + "see you {soon}" + kShownLineBreak);
            EXPECT_EQ(rows[2].payload, picture);
            EXPECT_EQ(RowKeys(), (std::vector<std::string>{"1", "A", "G", "P"}));
        }
    }

    ASSERT_NO_FATAL_FAILURE(OpenFromTray());
    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_EQ(Settings(), saved) << "a second save wrote other bytes";
}

TEST_F(SaveSettingsTest, AnEmptyListLeavesAnEmptyFileAndNoHotkeyRuns)
{
    ASSERT_NO_FATAL_FAILURE(Start("[contents]\r\nT=tee\r\n"));
    ClickRow(0);
    ASSERT_EQ(TextOfHotkey('T'), "tee");
    PressHotkey(VK_SNAPSHOT);
    ASSERT_TRUE(WaitUntil([&] { return CaptureShown(); }, 3000)) << "no capture before the save";
    ::PostMessageA(m_dialog, kDestroyCaptureMessage, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !CaptureShown(); }, 3000));
    ASSERT_EQ(Click(IDC_DELETE_SHORTCUT), std::nullopt);

    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_EQ(Settings(), "");
    EXPECT_TRUE(HotkeyDoesNothing('T'));
    PressHotkey(VK_SNAPSHOT);
    ::Sleep(700);
    EXPECT_FALSE(CaptureShown()) << "the capture still runs without a hook";
}

TEST_F(SaveSettingsTest, InputNeverAcceptedIsAskedAboutAndKeptButNotSaved)
{
    const std::string before = "[paths]\r\nQ=c:\\before\r\n";
    struct Case {
        const char* what;
        int radio;
        int box;
        const char* input;
        bool viewRow;    // the form shows the list's row, read-only
        bool closeBox;
        int answer;      // 0: no question expected
    } cases[] = {
        {"path, Yes", IDC_PATH_RADIO, IDC_PATH, " c:\\typed ", false, false, IDYES},
        {"text, No", IDC_TEXT_RADIO, IDC_TEXT, "typed", false, false, IDNO},
        {"path, No at the close box", IDC_PATH_RADIO, IDC_PATH, "c:\\typed", false, true, IDNO},
        {"blanks are no input", IDC_PATH_RADIO, IDC_PATH, " \t ", false, false, 0},
        {"a viewed row", IDC_PATH_RADIO, 0, "", true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(Start(before));
        ASSERT_EQ(AcceptText("R", "ar"), std::nullopt);
        Click(c.radio);
        if (c.box)
            SetText(c.box, c.input);
        if (c.viewRow)
            ClickRow(0);
        const std::optional<Question> question = c.closeBox ? PressCloseBox(c.answer) : PressSave(c.answer);

        if (c.answer == 0) {
            EXPECT_EQ(question.has_value(), false) << question->text;
        } else {
            ASSERT_TRUE(question.has_value()) << "no question";
            EXPECT_EQ(question->text, "Exit without accepting new settings?");
            EXPECT_EQ(question->caption, "Tarnwick");
        }
        if (c.answer == IDNO) {
            EXPECT_EQ(Settings(), before) << "No wrote the file";
            EXPECT_EQ(Shown(), !c.closeBox) << "No keeps the dialog; the close box hides it all the same";
        } else {
            EXPECT_EQ(Settings(), "[paths]\r\nQ=c:\\before\r\n[contents]\r\nR=ar\r\n");
            EXPECT_FALSE(Shown());
        }
        if (c.box) {
            EXPECT_EQ(Text(c.box), c.input) << "the form lost the input";
        }
        m_program.reset();
        EndAllInstances();
    }
}

// Something in the way of the new file makes the save fail where it would on Windows.
struct Obstacle {
    const char* what;
    std::function<std::function<void()>(const ProgramInstall&)> place;   // returns the removal
};

TEST_F(SaveSettingsTest, ASaveThatCannotBeWrittenIsReportedAndLosesNothing)
{
    const std::string before = "[contents]\r\nT=tee\r\n";
    const Obstacle obstacles[] = {
        {"the file held open without delete sharing", [](const ProgramInstall& install) {
             HANDLE held = ::CreateFileA(install.Path("keyset.ini").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
             EXPECT_NE(held, INVALID_HANDLE_VALUE);
             return std::function<void()>([held] { ::CloseHandle(held); });
         }},
        {"a folder where the new file goes", [](const ProgramInstall& install) {
             const std::string folder = install.Path("keyset.ini.new");
             EXPECT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
             return std::function<void()>([folder] { ::RemoveDirectoryA(folder.c_str()); });
         }},
    };
    for (const Obstacle& obstacle : obstacles) {
        SCOPED_TRACE(obstacle.what);
        ASSERT_NO_FATAL_FAILURE(Start(before));
        ASSERT_EQ(AcceptText("U", "you"), std::nullopt);
        const std::function<void()> remove = obstacle.place(m_install);

        for (bool closeBox : {false, true}) {
            const std::optional<Question> message = closeBox ? PressCloseBox() : PressSave();
            ASSERT_TRUE(message.has_value()) << "the failure went unreported";
            const std::string named = "\"" + m_install.Path("keyset.ini") + "\"";
            EXPECT_NE(message->text.find(named), std::string::npos) << message->text;
            EXPECT_GT(message->text.size(), message->text.find(named) + named.size() + 4) << "no reason given";
            EXPECT_TRUE(Shown()) << "the dialog went away over a failed save";
            EXPECT_EQ(Settings(), before);
        }
        EXPECT_EQ(TextOfHotkey('T'), "tee") << "the running shortcuts were lost";
        EXPECT_TRUE(HotkeyDoesNothing('U'));
        EXPECT_EQ(Rows().size(), 2u);

        remove();
        EXPECT_EQ(PressSave(), std::nullopt);
        EXPECT_EQ(Settings(), "[contents]\r\nT=tee\r\nU=you\r\n");
        EXPECT_EQ(TextOfHotkey('U'), "you");
        m_program.reset();
        EndAllInstances();
    }
}

}  // namespace
