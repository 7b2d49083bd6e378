// Where the keyboard is after a shortcut, with another program in front: a text pad in a
// process of its own, which logs every key that reaches it. Whatever a shortcut shows
// (the popup, the capture, a message), the user goes on typing into the pad, and the
// keys of a bound shortcut never reach it.
#include "app/WindowMessages.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/MessageBoxDriver.h"
#include "tests/wine/support/ProgramDialogs.h"
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/RemoteControls.h"
#include <algorithm>
#include <sstream>

using namespace wt;

namespace {

constexpr char kPadClass[] = "TarnwickTextPad";
constexpr char kCaptureClass[] = "TarnwickCapture";

class KeyboardFocusTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        m_install.WriteFile("face.bmp", BitmapFile(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
        ASSERT_NO_FATAL_FAILURE(StartProgram("[contents]\r\nT=Kind regards\r\n[graphics]\r\nP=" + m_install.Path("face.bmp") +
                                             "\r\nM=" + m_install.Path("missing.bmp") + "\r\n"));
        ASSERT_NO_FATAL_FAILURE(WaitUntilInTray());
        m_pad = std::make_unique<Process>(BuildFolder() + "\\textpad.exe", m_install.Folder(),
                                          std::vector<std::string>{KeyLogPath()});
        ASSERT_TRUE(WaitUntil([&] { return (m_padWindow = ::FindWindowA(kPadClass, nullptr)) != nullptr; }))
            << "no text pad";
        // The box comes a moment after its window.
        ASSERT_TRUE(WaitUntil([&] { return (m_padBox = ::GetDlgItem(m_padWindow, 1)) != nullptr; }));
        ASSERT_TRUE(WaitUntil([&] { return PadHasKeyboard(); })) << "the text pad did not come to the front";
    }
    void TearDown() override
    {
        m_pad.reset();
        ProgramTest::TearDown();
    }

    std::string KeyLogPath() const { return m_install.Path("keys.log"); }
    bool PadHasKeyboard() const { return ::GetForegroundWindow() == m_padWindow; }
    std::string PadText() const { return ControlText(m_padBox); }
    // Every key-down that reached the pad, as virtual-key codes.
    std::vector<unsigned> KeysAtThePad() const
    {
        std::vector<unsigned> keys;
        std::istringstream lines(m_install.ReadFile("keys.log").value_or(""));
        for (std::string line; std::getline(lines, line);)
            keys.push_back(static_cast<unsigned>(std::stoul(line, nullptr, 16)));
        return keys;
    }
    bool PadGot(unsigned key) const
    {
        const std::vector<unsigned> keys = KeysAtThePad();
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    }

    // Types the letters, lower case, and waits until the pad shows them at its end.
    void TypeIntoThePad(const std::string& letters)
    {
        const std::string before = PadText();
        for (char c : letters)
            PressKeys({static_cast<WORD>(c - 'a' + 'A')});
        ASSERT_TRUE(WaitUntil([&] { return PadText() == before + letters; }))
            << "typed \"" << letters << "\", the pad shows \"" << PadText() << "\"";
    }
    void ExpectPadInFront() { EXPECT_TRUE(WaitUntil([&] { return PadHasKeyboard(); })) << "the keyboard stayed away"; }

    HWND ShownCaptureWindow() const
    {
        HWND shown = nullptr;
        WaitUntil([&] {
            shown = ::FindWindowA(kCaptureClass, nullptr);
            return shown && ::IsWindowVisible(shown);
        });
        return shown && ::IsWindowVisible(shown) ? shown : nullptr;
    }

    std::unique_ptr<Process> m_pad;
    HWND m_padWindow = nullptr;
    HWND m_padBox = nullptr;
};

// What the user types while the popup shows goes on into the pad, and so does what they
// type after it: the Ctrl+V that pastes the text among it.
TEST_F(KeyboardFocusTest, AConfirmationNeverTakesTheKeyboard)
{
    for (char key : {'T', 'P'}) {
        SCOPED_TRACE(std::string("CTRL+ALT+") + key);
        PressChord({VK_CONTROL, VK_MENU, static_cast<WORD>(key)});
        HWND popup = WaitForPopup(ProgramId());
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(PadHasKeyboard());
        ASSERT_NO_FATAL_FAILURE(TypeIntoThePad("ab"));
        EXPECT_TRUE(::IsWindowVisible(popup)) << "typed after the popup, not while it showed";
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(popup); }));
        ExpectPadInFront();
        ASSERT_NO_FATAL_FAILURE(TypeIntoThePad("cd"));
        EXPECT_FALSE(PadGot(key)) << "the shortcut's key reached the program in front as well";
    }
    ::SendMessageW(m_padBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    PressChord({VK_CONTROL, VK_MENU, 'T'});
    ASSERT_TRUE(WaitUntil([] { return ClipboardText() == std::optional<std::string>("Kind regards"); }));
    PressChord({VK_CONTROL, 'V'});
    EXPECT_TRUE(WaitUntil([&] { return PadText() == "Kind regards"; })) << PadText();
}

TEST_F(KeyboardFocusTest, AKeyBoundToNothingStillReachesTheProgramInFront)
{
    PressChord({VK_CONTROL, VK_MENU, 'U'});
    EXPECT_TRUE(WaitUntil([&] { return PadGot('U'); })) << "an unbound CTRL+ALT+U was taken from the pad";
    EXPECT_EQ(FindPopup(ProgramId()), nullptr);
}

// The capture takes the keyboard, so that Escape reaches it, and gives it back however
// it ends.
TEST_F(KeyboardFocusTest, TheCaptureGivesTheKeyboardBack)
{
    const struct {
        const char* how;
        std::function<void()> end;
    } cases[] = {
        {"a drag", [] { DragFromTo({100, 100}, {160, 140}); }},
        {"Escape", [] { PressKeys({VK_ESCAPE}); }},
        {"a right click", [] { ClickAt(300, 300, true); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        PressChord({VK_CONTROL, VK_MENU, VK_SNAPSHOT});
        HWND capture = ShownCaptureWindow();
        ASSERT_NE(capture, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == capture; })) << "Escape could not reach it";
        c.end();
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(capture); }));
        ExpectPadInFront();
        ASSERT_NO_FATAL_FAILURE(TypeIntoThePad("ef"));
        EXPECT_FALSE(PadGot(VK_SNAPSHOT));
        ASSERT_TRUE(CloseAllPopups(ProgramId()));
    }
}

TEST_F(KeyboardFocusTest, AMessageTakesTheKeyboardForItsAnswerAndGivesItBack)
{
    PressChord({VK_CONTROL, VK_MENU, 'M'});
    HWND box = WaitForMessageBox(ProgramId());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == box; })) << "Enter could not answer it";
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); })) << "Enter did not answer the message";
    ExpectPadInFront();
    ASSERT_NO_FATAL_FAILURE(TypeIntoThePad("gh"));
}

TEST_F(KeyboardFocusTest, TheDialogPutBackLeavesTheKeyboardWithTheProgramItCameFrom)
{
    const struct {
        const char* how;
        std::function<void(HWND)> putBack;
    } cases[] = {
        {"Escape", [](HWND) { PressKeys({VK_ESCAPE}); }},
        {"the close box", [](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"OK", [](HWND dialog) { ClickOn(::GetDlgItem(dialog, IDC_SAVE)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        ASSERT_TRUE(TrayIconPresent(m_dialog));
        ::PostMessageW(m_dialog, kTrayNotifyMessage, kTrayIconId, WM_RBUTTONDOWN);
        HWND menu = FindPopupMenu();
        ASSERT_NE(menu, nullptr) << "no tray menu";
        RECT box{};
        ::GetWindowRect(menu, &box);
        ClickAt((box.left + box.right) / 2, box.top + (box.bottom - box.top) / 4);   // Open
        ASSERT_TRUE(WaitUntil([&] { return Shown() && ::GetForegroundWindow() == m_dialog; }));
        c.putBack(m_dialog);
        ASSERT_TRUE(WaitUntil([&] { return !Shown(); }));
        ExpectPadInFront();
        ASSERT_NO_FATAL_FAILURE(TypeIntoThePad("ij"));
    }
}

}  // namespace
