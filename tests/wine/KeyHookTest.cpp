// keyhook.dll as the program uses it: installed from the thread of a window that
// receives the reports; keys come from SendInput, as Windows would deliver them, and
// a window of this process in front shows what the hook lets through.

#include "framework/UniqueHandle.h"
#include "keyhook/KeyHook.h"
#include "tests/wine/support/MessagePump.h"
#include "tests/wine/support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr WORD kSentinelKey = VK_F24;
constexpr UINT kRunMessage = WM_APP;
constexpr UINT kSleepMessage = WM_APP + 1;
// Generous: Wine shares two cores with other builds here.
constexpr auto kArrivalTimeout = 5s;
constexpr auto kQuietPeriod = 500ms;
constexpr auto kBusyTime = 2000ms;

const UINT g_hookMessage = RegisterWindowMessageW(L"HOOKKEYDOWNMESSAGEID");

decltype(&installhook) g_installhook = nullptr;
decltype(&UnHook) g_unhook = nullptr;
decltype(&SetBoundChords) g_setBoundChords = nullptr;

struct Report {
    WPARAM key;
    LPARAM lParam;
    bool sent; // delivered by SendMessage from another thread instead of posted
};

// A keyboard message that reached a window: WM_KEYDOWN, WM_CHAR and the like.
struct KeyMessage {
    UINT message;
    WPARAM wParam;
};

enum class Placement {
    MessageOnly, // receives the reports, as the program's hidden window does
    InFront,     // plays the program the user types into
};

// A window on a thread of its own, pumping messages the way a program's UI thread
// does (key-downs translated into characters), and recording the hook's reports and
// the keyboard messages it gets.
class WindowThread {
public:
    explicit WindowThread(Placement placement = Placement::MessageOnly)
    {
        std::promise<HWND> created;
        auto window = created.get_future();
        m_thread = std::thread([this, placement, &created] { Run(placement, created); });
        m_window = window.get();
    }

    ~WindowThread()
    {
        PostMessageW(m_window, WM_CLOSE, 0, 0);
        m_thread.join();
    }

    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    HWND Window() const { return m_window; }

    // Runs `task` on this thread and returns its result.
    int RunHere(const std::function<int()>& task)
    {
        int result = 0;
        std::function<void()> call = [&] { result = task(); };
        SendMessageW(m_window, kRunMessage, 0, reinterpret_cast<LPARAM>(&call));
        return result;
    }

    // Makes the window the one that has the keyboard, and waits until it has.
    bool TakeKeyboardFocus()
    {
        RunHere([this] {
            SetForegroundWindow(m_window);
            SetFocus(m_window);
            return 0;
        });
        return wt::WaitUntil([this] {
            return GetForegroundWindow() == m_window && RunHere([this] { return GetFocus() == m_window; });
        }, static_cast<DWORD>(std::chrono::milliseconds(kArrivalTimeout).count()));
    }

    // Keeps this thread from pumping for `time`; returns once it has begun.
    void BeBusyFor(std::chrono::milliseconds time)
    {
        std::unique_lock lock(m_mutex);
        PostMessageW(m_window, kSleepMessage, static_cast<WPARAM>(time.count()), 0);
        m_changed.wait(lock, [this] { return m_busy; });
    }

    bool WaitForKey(WPARAM key, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] {
            for (const Report& report : m_reports)
                if (report.key == key)
                    return true;
            return false;
        });
    }

    // Waits for `message` with `wParam` to reach the window.
    bool WaitForKeyMessage(UINT message, WPARAM wParam, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] {
            return std::any_of(m_keyMessages.begin(), m_keyMessages.end(), [&](const KeyMessage& seen) {
                return seen.message == message && seen.wParam == wParam;
            });
        });
    }

    std::vector<Report> Reports()
    {
        std::lock_guard lock(m_mutex);
        return m_reports;
    }

    std::vector<KeyMessage> KeyMessages()
    {
        std::lock_guard lock(m_mutex);
        return m_keyMessages;
    }

    void ForgetKeyMessages()
    {
        std::lock_guard lock(m_mutex);
        m_keyMessages.clear();
    }

private:
    static constexpr const wchar_t* kClassName = L"KeyHookTestWindow";

    void Run(Placement placement, std::promise<HWND>& created)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WindowThread::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass); // fails harmlessly when another thread already did it
        HWND window = placement == Placement::InFront
                          ? CreateWindowExW(0, kClassName, L"KeyHookTestFront", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                            100, 300, 200, nullptr, nullptr, windowClass.hInstance, this)
                          : CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            windowClass.hInstance, this);
        created.set_value(window);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    static bool IsKeyboardMessage(UINT message)
    {
        return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP ||
               message == WM_CHAR || message == WM_SYSCHAR;
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<WindowThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == g_hookMessage) {
            self->Record({wParam, lParam, InSendMessage() != FALSE});
            return 0;
        }
        // Kept from the default handling: ALT keys would open the window menu.
        if (self && IsKeyboardMessage(message)) {
            self->Record(KeyMessage{message, wParam});
            return 0;
        }
        switch (message) {
        case kRunMessage:
            (*reinterpret_cast<std::function<void()>*>(lParam))();
            return 0;
        case kSleepMessage:
            self->SetBusy(true);
            Sleep(static_cast<DWORD>(wParam));
            self->SetBusy(false);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void Record(const Report& report)
    {
        std::lock_guard lock(m_mutex);
        m_reports.push_back(report);
        m_changed.notify_all();
    }

    void Record(const KeyMessage& keyMessage)
    {
        std::lock_guard lock(m_mutex);
        m_keyMessages.push_back(keyMessage);
        m_changed.notify_all();
    }

    void SetBusy(bool busy)
    {
        std::lock_guard lock(m_mutex);
        m_busy = busy;
        m_changed.notify_all();
    }

    std::thread m_thread;
    HWND m_window = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Report> m_reports;
    std::vector<KeyMessage> m_keyMessages;
    bool m_busy = false;
};

struct Stroke {
    WORD key;
    bool up;
    WORD scan = 0;
    bool extended = false;
};

Stroke Down(WORD key) { return {key, false}; }
Stroke Up(WORD key) { return {key, true}; }

// AltGr as Windows sends it: a left CTRL with a scan code of its own, then the right
// ALT. Wine passes both scan codes to the hook as given (checked here).
constexpr WORD kAltGrControlScan = 0x21D;
constexpr WORD kRightAltScan = 0x38;
const Stroke kAltGrDown[] = {{VK_LCONTROL, false, kAltGrControlScan}, {VK_RMENU, false, kRightAltScan, true}};
const Stroke kAltGrUp[] = {{VK_RMENU, true, kRightAltScan, true}, {VK_LCONTROL, true, kAltGrControlScan}};

void Inject(const std::vector<Stroke>& strokes)
{
    std::vector<INPUT> inputs;
    for (const Stroke& stroke : strokes) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = stroke.key;
        input.ki.wScan = stroke.scan;
        input.ki.dwFlags = (stroke.up ? KEYEVENTF_KEYUP : 0) | (stroke.extended ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    }
    ASSERT_EQ(inputs.size(), SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)));
}

std::vector<WPARAM> KeysOf(const std::vector<Report>& reports)
{
    std::vector<WPARAM> keys;
    for (const Report& report : reports)
        keys.push_back(report.key);
    return keys;
}

void ExpectPostedWithModifiers(const std::vector<Report>& reports)
{
    for (const Report& report : reports) {
        EXPECT_TRUE(report.lParam & kKeyHookModifiersReported) << "key " << report.key;
        EXPECT_FALSE(report.sent) << "key " << report.key;
    }
}

// This program's folder: the build puts the library under test beside it.
std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    const std::wstring file(path, length);
    return file.substr(0, file.find_last_of(L"\\/"));
}

template <typename Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class KeyHookTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The library beside this program is the one under test, never one on the path.
        HMODULE module = LoadLibraryW((OwnFolder() + L"\\keyhook.dll").c_str());
        ASSERT_NE(nullptr, module);
        g_installhook = Export<decltype(g_installhook)>(module, "installhook");
        g_unhook = Export<decltype(g_unhook)>(module, "UnHook");
        g_setBoundChords = Export<decltype(g_setBoundChords)>(module, "SetBoundChords");
        ASSERT_NE(nullptr, g_installhook);
        ASSERT_NE(nullptr, g_unhook);
        ASSERT_NE(nullptr, g_setBoundChords);
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, g_installhook);
        ASSERT_NE(0, Install(m_ui.Window()));
    }

    void TearDown() override { m_ui.RunHere([] { return g_unhook(); }); }

    // Installs from the receiver's thread, as the program does.
    int Install(HWND target)
    {
        return m_ui.RunHere([target] { return g_installhook(target, g_hookMessage); });
    }

    // Injects `strokes` and then a sentinel key; the hook reports in order, so
    // once the sentinel is in, everything `strokes` caused is in too.
    std::vector<Report> InjectAndCollect(const std::vector<Stroke>& strokes, WindowThread& receiver)
    {
        std::vector<Stroke> all = strokes;
        all.push_back(Down(kSentinelKey));
        all.push_back(Up(kSentinelKey));
        Inject(all);
        EXPECT_TRUE(receiver.WaitForKey(kSentinelKey, kArrivalTimeout));
        std::vector<Report> reports = receiver.Reports();
        EXPECT_FALSE(reports.empty());
        if (!reports.empty() && reports.back().key == kSentinelKey)
            reports.pop_back();
        ExpectPostedWithModifiers(reports);
        return reports;
    }

    WindowThread m_ui;
};

struct StrokeCase {
    const char* name;
    std::vector<Stroke> strokes;
    std::vector<WPARAM> expected;
};

void PrintTo(const StrokeCase& strokeCase, std::ostream* out) { *out << strokeCase.name; }

class KeyHookStrokeTest : public KeyHookTest, public testing::WithParamInterface<StrokeCase> {};

TEST_P(KeyHookStrokeTest, ReportsEachKeyGoingDownOnce)
{
    EXPECT_EQ(GetParam().expected, KeysOf(InjectAndCollect(GetParam().strokes, m_ui)));
}

INSTANTIATE_TEST_SUITE_P(
    Strokes, KeyHookStrokeTest,
    testing::Values(
        StrokeCase{"OneKey", {Down('A'), Up('A')}, {'A'}},
        StrokeCase{"KeysInOrder", {Down('A'), Up('A'), Down('B'), Up('B')}, {'A', 'B'}},
        StrokeCase{"AutoRepeatOnce", {Down('A'), Down('A'), Down('A'), Up('A')}, {'A'}},
        StrokeCase{"AgainAfterRelease", {Down('A'), Up('A'), Down('A'), Up('A')}, {'A', 'A'}},
        StrokeCase{"KeyUpAlone", {Up('A')}, {}},
        // CTRL+ALT+D with the modifiers held (and repeating) across two taps of D;
        // ALT makes these system key-downs.
        StrokeCase{"HeldModifiers",
                   {Down(VK_LCONTROL), Down(VK_LMENU), Down(VK_LCONTROL), Down('D'), Up('D'),
                    Down(VK_LMENU), Down('D'), Up('D'), Up(VK_LMENU), Up(VK_LCONTROL)},
                   {VK_LCONTROL, VK_LMENU, 'D', 'D'}},
        // The CTRL that comes with AltGr is no key the user pressed.
        StrokeCase{"AltGr",
                   {kAltGrDown[0], kAltGrDown[1], Down('Q'), Up('Q'), kAltGrUp[0], kAltGrUp[1]},
                   {VK_RMENU, 'Q'}}),
    [](const testing::TestParamInfo<StrokeCase>& info) { return std::string(info.param.name); });

// The receiver handles a report after the fact; it must learn the modifiers as they
// were when the key went down, even when they are released before the key. AltGr+Q
// types @ on a German keyboard and must not look like CTRL+ALT+Q; a real CTRL held
// across AltGr still counts, also after AltGr has let go of its own CTRL.
TEST_F(KeyHookTest, ReportsTheModifiersHeldWhenTheKeyWentDown)
{
    const std::vector<Report> reports = InjectAndCollect(
        {Down(VK_LSHIFT), Down('A'), Up('A'), Up(VK_LSHIFT),
         Down(VK_LCONTROL), Down(VK_RMENU), Down('B'), Up(VK_RMENU), Up(VK_LCONTROL), Up('B'),
         Down('C'), Up('C'),
         kAltGrDown[0], kAltGrDown[1], Down('Q'), Up('Q'), kAltGrUp[0], kAltGrUp[1],
         Down(VK_LCONTROL), kAltGrDown[0], kAltGrDown[1], Down('S'), Up('S'), kAltGrUp[0], kAltGrUp[1],
         Down(VK_LMENU), Down('T'), Up('T'), Up(VK_LMENU), Up(VK_LCONTROL)},
        m_ui);
    const std::map<WPARAM, LPARAM> expected = {
        {'A', kKeyHookShiftDown},
        {'B', kKeyHookCtrlDown | kKeyHookAltDown},
        {'C', 0},
        {'Q', kKeyHookAltDown},
        {'S', kKeyHookCtrlDown | kKeyHookAltDown},
        {'T', kKeyHookCtrlDown | kKeyHookAltDown},
    };
    std::map<WPARAM, LPARAM> seen;
    for (const Report& report : reports)
        if (expected.count(report.key))
            seen[report.key] = report.lParam & ~kKeyHookModifiersReported;
    EXPECT_EQ(expected, seen);
}

TEST_F(KeyHookTest, UnHookStopsReportsUntilInstalledAgain)
{
    ASSERT_NE(0, m_ui.RunHere([] { return g_unhook(); }));
    Inject({Down('A'), Up('A')});
    std::this_thread::sleep_for(kQuietPeriod);
    EXPECT_TRUE(m_ui.Reports().empty());

    ASSERT_NE(0, Install(m_ui.Window()));
    EXPECT_EQ(std::vector<WPARAM>{'B'}, KeysOf(InjectAndCollect({Down('B'), Up('B')}, m_ui)));
}

TEST_F(KeyHookTest, UnHookWithoutHookIsHarmless)
{
    EXPECT_NE(0, m_ui.RunHere([] { return g_unhook(); }));
    EXPECT_NE(0, m_ui.RunHere([] { return g_unhook(); }));
    ASSERT_NE(0, Install(m_ui.Window()));
    EXPECT_EQ(std::vector<WPARAM>{'A'}, KeysOf(InjectAndCollect({Down('A'), Up('A')}, m_ui)));
}

TEST_F(KeyHookTest, InstallingAgainReplacesTheHook)
{
    ASSERT_NE(0, Install(m_ui.Window()));
    EXPECT_EQ(std::vector<WPARAM>{'A'}, KeysOf(InjectAndCollect({Down('A'), Up('A')}, m_ui)));

    WindowThread other;
    const size_t reportsBefore = m_ui.Reports().size();
    ASSERT_NE(0, Install(other.Window()));
    EXPECT_EQ(std::vector<WPARAM>{'B'}, KeysOf(InjectAndCollect({Down('B'), Up('B')}, other)));
    std::this_thread::sleep_for(kQuietPeriod);
    EXPECT_EQ(reportsBefore, m_ui.Reports().size());

    // A hook left behind by a replacement would go on reporting after UnHook.
    const size_t otherBefore = other.Reports().size();
    m_ui.RunHere([] { return g_unhook(); });
    Inject({Down('C'), Up('C')});
    std::this_thread::sleep_for(kQuietPeriod);
    EXPECT_EQ(otherBefore, other.Reports().size());
}

TEST_F(KeyHookTest, InstallWithoutWindowFailsAndKeepsTheHook)
{
    EXPECT_EQ(0, Install(nullptr));
    EXPECT_EQ(std::vector<WPARAM>{'A'}, KeysOf(InjectAndCollect({Down('A'), Up('A')}, m_ui)));
}

// A key missed while unhooked must not leave that key looking held for good.
TEST_F(KeyHookTest, KeyReleasedWhileUnhookedIsReportedAgain)
{
    Inject({Down('A')});
    ASSERT_TRUE(m_ui.WaitForKey('A', kArrivalTimeout));
    m_ui.RunHere([] { return g_unhook(); });
    Inject({Up('A')});
    ASSERT_NE(0, Install(m_ui.Window()));
    EXPECT_EQ((std::vector<WPARAM>{'A', 'A'}), KeysOf(InjectAndCollect({Down('A'), Up('A')}, m_ui)));
}

// The program's window may sit in a modal loop or a long action; the hook
// must not wait for it, or keys stall desktop-wide.
TEST_F(KeyHookTest, DoesNotWaitForABusyWindow)
{
    WindowThread busy;
    ASSERT_NE(0, Install(busy.Window()));
    busy.BeBusyFor(kBusyTime);

    const auto start = Clock::now();
    Inject({Down('A'), Up('A')});
    const auto injectTime = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_LT(injectTime.count(), (kBusyTime / 2).count());

    ASSERT_TRUE(busy.WaitForKey('A', kBusyTime + kArrivalTimeout));
    const std::vector<Report> reports = busy.Reports();
    EXPECT_EQ(std::vector<WPARAM>{'A'}, KeysOf(reports));
    ExpectPostedWithModifiers(reports);
}

enum class Installer { Serving, Busy };

constexpr WPARAM kTypedKeys[] = {'A', 'B', 'C', 'D', 'E'};
constexpr DWORD kInstallerBusyMs = 4000;
constexpr DWORD kTypistTimeoutMs = 30000;
// A key held up by Wine's wait for an unanswering hook (2 s) is later by far.
constexpr double kLateMs = 1000;

// keytypist.exe types five keys into a window of its own while this thread serves its
// messages, or sleeps and then waits for the typist without serving them. Returns, per
// key, the milliseconds from its SendInput to its WM_KEYDOWN in that window (-1: never
// arrived); empty when the typist failed.
std::vector<double> TypeFiveKeys(Installer installer)
{
    KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, L"KeyTypistReady"));
    KernelHandle go(CreateEventW(nullptr, TRUE, FALSE, L"KeyTypistGo"));
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path results = std::filesystem::path(temp) / L"keytypist-results.txt";
    DeleteFileW(results.c_str());

    wt::Process typist(wt::BuildFolder() + "\\keytypist.exe", "");
    if (!wt::ServeMessagesUntil([&] { return WaitForSingleObject(ready.get(), 0) == WAIT_OBJECT_0; }, kTypistTimeoutMs))
        return {};
    SetEvent(go.get());
    if (installer == Installer::Busy) {
        Sleep(kInstallerBusyMs);
        if (!typist.WaitForExit(kTypistTimeoutMs))
            return {};
    }
    if (!wt::ServeMessagesUntil([&] { return typist.WaitForExit(0); }, kTypistTimeoutMs) || typist.ExitCode() != 0)
        return {};

    std::vector<double> times;
    std::ifstream in(results);
    for (double ms; in >> ms;)
        times.push_back(ms);
    in.close();
    DeleteFileW(results.c_str());
    return times;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

size_t CountOf(WPARAM key, const std::vector<Report>& reports)
{
    return static_cast<size_t>(std::count_if(reports.begin(), reports.end(),
                                             [key](const Report& report) { return report.key == key; }));
}

// The program installs the hook from its own thread, and that thread is often busy: a
// send to a hung program, a slow shell open, a print job. Typing in every other
// program must go on meanwhile, and the keys must still be reported.
class KeyHookInstallerTest : public KeyHookTest {
protected:
    void SetUp() override {}
};

TEST_F(KeyHookInstallerTest, KeysArriveOnTimeWhileTheInstallingThreadIsBusy)
{
    ASSERT_NE(nullptr, g_installhook);
    ASSERT_NE(0, g_installhook(m_ui.Window(), g_hookMessage));
    auto expectReported = [&](size_t times) {
        for (WPARAM key : kTypedKeys)
            EXPECT_TRUE(wt::WaitUntil([&] { return CountOf(key, m_ui.Reports()) == times; }, 3000))
                << "key " << static_cast<char>(key) << " reported " << CountOf(key, m_ui.Reports()) << " of "
                << times << " times";
    };

    const std::vector<double> serving = TypeFiveKeys(Installer::Serving);
    ASSERT_EQ(std::size(kTypedKeys), serving.size()) << "the typist failed";
    expectReported(1);

    const std::vector<double> busy = TypeFiveKeys(Installer::Busy);
    ASSERT_EQ(std::size(kTypedKeys), busy.size()) << "the typist failed";
    // Still without serving this thread's messages: the reports must not wait for it.
    expectReported(2);

    const double usual = Median(serving);
    for (size_t i = 0; i < busy.size(); ++i) {
        std::printf("key %zu: %.1f ms while serving, %.1f ms while busy\n", i + 1, serving[i], busy[i]);
        EXPECT_GE(busy[i], 0) << "key " << i + 1 << " never arrived";
        EXPECT_LT(busy[i] - usual, kLateMs) << "key " << i + 1;
    }
    ExpectPostedWithModifiers(m_ui.Reports());
    g_unhook();
}

// What reached a window: the keys that went down or up there, and the characters typed.
struct FrontView {
    std::vector<WPARAM> downs;
    std::vector<WPARAM> ups;
    std::vector<WPARAM> typed;
};

FrontView ViewOf(const std::vector<KeyMessage>& messages)
{
    FrontView view;
    for (const KeyMessage& seen : messages) {
        if (seen.message == WM_KEYDOWN || seen.message == WM_SYSKEYDOWN)
            view.downs.push_back(seen.wParam);
        else if (seen.message == WM_KEYUP || seen.message == WM_SYSKEYUP)
            view.ups.push_back(seen.wParam);
        else
            view.typed.push_back(seen.wParam);
    }
    return view;
}

bool Holds(const std::vector<WPARAM>& keys, WPARAM key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); }

// A window of this process has the keyboard, as the program the user types into does.
// One for all the tests of a suite: Wine on a bare X server takes 2 s to destroy it.
class KeyHookFrontTest : public KeyHookTest {
protected:
    static void SetUpTestSuite()
    {
        KeyHookTest::SetUpTestSuite();
        s_front = std::make_unique<WindowThread>(Placement::InFront);
    }

    static void TearDownTestSuite() { s_front.reset(); }

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(KeyHookTest::SetUp());
        ASSERT_TRUE(s_front->TakeKeyboardFocus());
        s_front->ForgetKeyMessages();
    }

    // Binds CTRL+ALT+key with SHIFT up for each key, from the installing thread.
    int Bind(const std::vector<WORD>& keys)
    {
        std::vector<unsigned char> chords(kKeyHookKeyCount);
        for (WORD key : keys)
            chords[key] = kKeyHookChordShiftUp;
        return m_ui.RunHere([&] { return g_setBoundChords(chords.data(), static_cast<int>(chords.size())); });
    }

    // One SendInput burst: Wine's X11 driver may reset the modifiers when the focus
    // moves between calls. Returns the reports; Front() then tells what reached it.
    std::vector<Report> InjectWhileInFront(const std::vector<Stroke>& strokes)
    {
        std::vector<Report> reports = InjectAndCollect(strokes, m_ui);
        EXPECT_TRUE(s_front->WaitForKeyMessage(WM_KEYUP, kSentinelKey, kArrivalTimeout));
        return reports;
    }

    static FrontView Front() { return ViewOf(s_front->KeyMessages()); }

    static inline std::unique_ptr<WindowThread> s_front;
};

struct FrontCase {
    const char* name;
    std::vector<WORD> bound;
    std::vector<Stroke> strokes;
    WPARAM key;              // the key the case is about
    LPARAM modifiers;        // reported with it
    bool reachesFront;
    std::optional<std::vector<WPARAM>> typed; // the characters the window gets, where they are certain
};

void PrintTo(const FrontCase& frontCase, std::ostream* out) { *out << frontCase.name; }

class KeyHookFrontCaseTest : public KeyHookFrontTest, public testing::WithParamInterface<FrontCase> {};

// A chord that fires something must not also act in the program in front (CTRL+ALT+K
// would type there, or run its own command); everything else must reach it.
TEST_P(KeyHookFrontCaseTest, KeepsExactlyTheBoundChordsFromTheWindowInFront)
{
    const FrontCase& frontCase = GetParam();
    ASSERT_NE(0, Bind(frontCase.bound));
    const std::vector<Report> reports = InjectWhileInFront(frontCase.strokes);

    std::vector<LPARAM> reported;
    for (const Report& report : reports)
        if (report.key == frontCase.key)
            reported.push_back(report.lParam & ~kKeyHookModifiersReported);
    EXPECT_EQ(std::vector<LPARAM>{frontCase.modifiers}, reported);

    const FrontView front = Front();
    EXPECT_EQ(frontCase.reachesFront, Holds(front.downs, frontCase.key));
    EXPECT_EQ(frontCase.reachesFront, Holds(front.ups, frontCase.key));
    if (frontCase.typed) {
        EXPECT_EQ(*frontCase.typed, front.typed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chords, KeyHookFrontCaseTest,
    testing::Values(
        // Held long enough to repeat: the repeats stay away too.
        FrontCase{"BoundChord", {'K'},
                  {Down(VK_LCONTROL), Down(VK_LMENU), Down('K'), Down('K'), Down('K'), Up('K'), Up(VK_LMENU),
                   Up(VK_LCONTROL)},
                  'K', kKeyHookCtrlDown | kKeyHookAltDown, false, std::vector<WPARAM>{}},
        FrontCase{"UnboundChord", {'K'},
                  {Down(VK_LCONTROL), Down(VK_LMENU), Down('J'), Up('J'), Up(VK_LMENU), Up(VK_LCONTROL)},
                  'J', kKeyHookCtrlDown | kKeyHookAltDown, true, std::nullopt},
        FrontCase{"PlainBoundKey", {'K'}, {Down('K'), Up('K')}, 'K', 0, true, std::vector<WPARAM>{'k'}},
        FrontCase{"BoundWithoutShiftButShiftHeld", {'K'},
                  {Down(VK_LSHIFT), Down(VK_LCONTROL), Down(VK_LMENU), Down('K'), Up('K'), Up(VK_LMENU),
                   Up(VK_LCONTROL), Up(VK_LSHIFT)},
                  'K', kKeyHookShiftDown | kKeyHookCtrlDown | kKeyHookAltDown, true, std::nullopt},
        // AltGr+E types the euro sign on many layouts.
        FrontCase{"AltGr", {'E'}, {kAltGrDown[0], kAltGrDown[1], Down('E'), Up('E'), kAltGrUp[0], kAltGrUp[1]},
                  'E', kKeyHookAltDown, true, std::nullopt}),
    [](const testing::TestParamInfo<FrontCase>& info) { return std::string(info.param.name); });

// The program hands its chords over again after each install: a new hook, perhaps for
// another window, must not keep keys for a table it was never given.
TEST_F(KeyHookFrontTest, ChordsBelongToTheHookTheyWereGivenTo)
{
    EXPECT_EQ(0, m_ui.RunHere([] { return g_setBoundChords(nullptr, kKeyHookKeyCount); }));
    EXPECT_EQ(0, m_ui.RunHere([] {
        const std::vector<unsigned char> tooMany(kKeyHookKeyCount + 1, kKeyHookChordShiftUp);
        return g_setBoundChords(tooMany.data(), static_cast<int>(tooMany.size()));
    }));
    ASSERT_NE(0, Bind({'K'}));
    ASSERT_NE(0, Install(m_ui.Window()));
    InjectWhileInFront({Down(VK_LCONTROL), Down(VK_LMENU), Down('K'), Up('K'), Up(VK_LMENU), Up(VK_LCONTROL)});
    EXPECT_TRUE(Holds(Front().downs, 'K'));

    ASSERT_NE(0, m_ui.RunHere([] { return g_unhook(); }));
    EXPECT_EQ(0, Bind({'K'}));
}

} // namespace
