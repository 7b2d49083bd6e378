// What a real desktop does to the hotkeys, with the real program and real input:
// AltGr typing on European layouts, a session locked while CTRL is held, and a
// clipboard that another program holds open for a moment.
#include "tests/wine/support/HotkeyTest.h"
#include "tests/wine/support/MessageBoxDriver.h"
#include "tests/wine/support/RemoteControls.h"
#include <wtsapi32.h>
#include <atomic>
#include <future>
#include <thread>
#include <vector>

using namespace wt;

namespace {

constexpr char kAddress[] = "desk@example.com";
constexpr char kQShortcut[] = "[contents]\r\nQ=desk@example.com\r\n";
// Wine's X11 driver puts the modifiers back to the X server's state when the focus
// moves: keys are sent only once the desktop has settled.
constexpr DWORD kNoReactionMs = 700;

INPUT Key(WORD key, bool up, WORD scan = 0, bool extended = false)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scan;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void Send(std::vector<INPUT> inputs)
{
    ASSERT_EQ(inputs.size(), ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)));
}

// Stands in for the locked session. Windows shows the lock screen on a desktop of its
// own, and the keys pressed there never reach the hooks of the user's desktop; Wine
// has no lock screen, so this is a fixture of the test. It is a low-level hook of this
// process installed after the program's, which the system therefore calls first: it
// passes every key on while open and withholds it while locked.
class LockStandIn {
public:
    LockStandIn()
    {
        s_locked = false;
        s_passed = 0;
        s_withheld = 0;
        std::promise<DWORD> started;
        std::future<DWORD> threadId = started.get_future();
        m_thread = std::thread([&started] {
            MSG msg;
            ::PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
            HHOOK hook = ::SetWindowsHookExA(WH_KEYBOARD_LL, OnKey, ::GetModuleHandleA(nullptr), 0);
            started.set_value(hook ? ::GetCurrentThreadId() : 0);
            if (!hook)
                return;
            while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
                ::DispatchMessageA(&msg);
            ::UnhookWindowsHookEx(hook);
        });
        m_threadId = threadId.get();
    }
    ~LockStandIn()
    {
        if (m_threadId)
            ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
        s_locked = false;
    }
    bool Hooked() const { return m_threadId != 0; }
    void Lock() { s_locked = true; }
    void Unlock() { s_locked = false; }
    // Keys passed on, counted once the hooks after this one (the program's) have had them.
    int Passed() const { return s_passed; }
    int Withheld() const { return s_withheld; }

private:
    static LRESULT CALLBACK OnKey(int code, WPARAM event, LPARAM data)
    {
        if (code != HC_ACTION)
            return ::CallNextHookEx(nullptr, code, event, data);
        if (s_locked) {
            ++s_withheld;
            return 1;
        }
        const LRESULT result = ::CallNextHookEx(nullptr, code, event, data);
        ++s_passed;
        return result;
    }

    static inline std::atomic<bool> s_locked{false};
    static inline std::atomic<int> s_passed{0};
    static inline std::atomic<int> s_withheld{0};
    std::thread m_thread;
    DWORD m_threadId = 0;
};

class DesktopConditionsTest : public HotkeyTest {
protected:
    void SetUp() override
    {
        HotkeyTest::SetUp();
        EmptyTheClipboard();
    }

    // The keys of a case go to the desk: a popup never takes the keyboard from it, and
    // after a message box is answered the keyboard comes back to it.
    void SettleWithDeskInFront()
    {
        ASSERT_TRUE(WaitUntil([&] { return DeskHasKeyboard(); })) << "the keyboard did not come back to the desk";
    }

    HWND Popup() const { return FindPopup(ProgramId()); }
    HWND ShownMessageBox() const { return FindMessageBox(ProgramId()); }

    void ExpectTextAndPopup(const std::string& text)
    {
        EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == std::optional<std::string>(text); }, 3000))
            << "clipboard: " << ClipboardText().value_or("(no text)");
        HWND popup = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (popup = Popup()) != nullptr; }, 3000));
        if (popup) {
            ::PostMessageA(popup, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitUntil([&] { return Popup() == nullptr; }, 3000));
        }
    }

    void ExpectNoShortcutFired()
    {
        EXPECT_FALSE(WaitUntil([&] { return Popup() != nullptr; }, kNoReactionMs));
        EXPECT_EQ(ClipboardText(), std::nullopt);
    }

    // Messages are handled in turn: once the dialog answers a message sent after a
    // pause, what was posted before it has been handled.
    bool HandledWhatWasPosted() const
    {
        ::Sleep(200);
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
    }
};

// On German, Polish and many other layouts AltGr types @, €, { or ł. Windows sends it
// as a left CTRL with scan code 0x21D followed by the right ALT, which is exactly what
// SendInput sends here and what Wine hands to the hook.
TEST_F(DesktopConditionsTest, AltGrTypesItsCharacterAndFiresNoShortcut)
{
    ASSERT_NO_FATAL_FAILURE(Start(kQShortcut));
    const struct {
        const char* what;
        std::vector<INPUT> keys;
        bool fires;
    } cases[] = {
        {"AltGr+Q",
         {Key(VK_LCONTROL, false, 0x21D), Key(VK_RMENU, false, 0x38, true), Key('Q', false), Key('Q', true),
          Key(VK_RMENU, true, 0x38, true), Key(VK_LCONTROL, true, 0x21D)},
         false},
        {"left CTRL + left ALT + Q",
         {Key(VK_LCONTROL, false, 0x1D), Key(VK_LMENU, false, 0x38), Key('Q', false), Key('Q', true),
          Key(VK_LMENU, true, 0x38), Key(VK_LCONTROL, true, 0x1D)},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmptyTheClipboard();
        ASSERT_NO_FATAL_FAILURE(SettleWithDeskInFront());
        Send(c.keys);
        if (c.fires)
            ExpectTextAndPopup(kAddress);
        else
            ExpectNoShortcutFired();
    }
}

// A CTRL held when the session is locked (or the machine sent to sleep) and let go
// before the session is back: its key-up never reaches the hook. Afterwards ALT+Q
// alone must not count as CTRL+ALT+Q.
TEST_F(DesktopConditionsTest, ACtrlLetGoWhileAwayIsUpAfterwards)
{
    ASSERT_NO_FATAL_FAILURE(Start(kQShortcut));
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    const struct {
        const char* what;
        UINT message;
        WPARAM away, back;
        LPARAM lParam;
    } cases[] = {
        {"lock and unlock", WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, WTS_SESSION_UNLOCK, static_cast<LPARAM>(session)},
        {"sleep and resume", WM_POWERBROADCAST, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmptyTheClipboard();
        ASSERT_NO_FATAL_FAILURE(SettleWithDeskInFront());
        // Made now, so that its hook comes before the one the program made last.
        LockStandIn lock;
        ASSERT_TRUE(lock.Hooked());
        Send({Key(VK_LCONTROL, false)});
        ASSERT_TRUE(WaitUntil([&] { return lock.Passed() == 1; }, 3000));
        lock.Lock();
        ::PostMessageA(m_dialog, c.message, c.away, c.lParam);
        Send({Key(VK_LCONTROL, true)});
        ASSERT_TRUE(WaitUntil([&] { return lock.Withheld() == 1; }, 3000)) << "the key-up went past the lock";
        lock.Unlock();
        ::PostMessageA(m_dialog, c.message, c.back, c.lParam);
        ASSERT_TRUE(HandledWhatWasPosted());

        Send({Key(VK_LMENU, false), Key('Q', false), Key('Q', true), Key(VK_LMENU, true)});
        {
            SCOPED_TRACE("ALT+Q");
            ExpectNoShortcutFired();
        }
        Send({Key(VK_LCONTROL, false), Key(VK_LMENU, false), Key('Q', false), Key('Q', true), Key(VK_LMENU, true),
              Key(VK_LCONTROL, true)});
        {
            SCOPED_TRACE("CTRL+ALT+Q");
            ExpectTextAndPopup(kAddress);
        }
    }
}

// Clipboard managers and remote-desktop clients hold the clipboard open for a moment;
// here this test holds it, from before the key is pressed. A short hold is waited out;
// a long one is reported as before.
TEST_F(DesktopConditionsTest, AClipboardHeldOpenByAnotherProgramIsWaitedForAWhile)
{
    ASSERT_NO_FATAL_FAILURE(Start(kQShortcut));
    const struct {
        DWORD holdMs;
        bool textArrives;
    } cases[] = {{200, true}, {3000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.holdMs) + " ms");
        EmptyTheClipboard();
        ASSERT_NO_FATAL_FAILURE(SettleWithDeskInFront());
        ASSERT_TRUE(::OpenClipboard(nullptr));
        const DWORD openedAt = ::GetTickCount();
        Send({Key(VK_LCONTROL, false), Key(VK_LMENU, false), Key('Q', false), Key('Q', true), Key(VK_LMENU, true),
              Key(VK_LCONTROL, true)});
        HWND box = nullptr;
        WaitUntil([&] { return (box = ShownMessageBox()) != nullptr; }, c.holdMs, 5);
        if (const DWORD held = ::GetTickCount() - openedAt; held < c.holdMs)
            ::Sleep(c.holdMs - held);
        ::CloseClipboard();

        if (c.textArrives) {
            ExpectTextAndPopup(kAddress);
            EXPECT_EQ(ShownMessageBox(), nullptr);
            EXPECT_EQ(box, nullptr) << "shown while the clipboard was held";
        } else {
            ASSERT_NE(box, nullptr) << "no message while the clipboard was held";
            EXPECT_EQ(WindowText(::GetDlgItem(box, kMessageBoxText)), "Can't open Clipboard");
            EXPECT_EQ(Popup(), nullptr);
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(WaitUntil([&] { return ShownMessageBox() == nullptr; }));
            EXPECT_EQ(ClipboardText(), std::nullopt);
        }
        if (HWND left = ShownMessageBox())
            ::PostMessageA(left, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace
