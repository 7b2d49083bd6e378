// keyhook.dll as the program uses it: installed from the thread of a window that
// receives the reports; keys come from SendInput, as Windows would deliver them.

#include "framework/UniqueHandle.h"
#include "keyhook/KeyHook.h"
#include "tests/wine/support/MessagePump.h"
#include "tests/wine/support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
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

const UINT g_hookMessage = RegisterWindowMessageA("HOOKKEYDOWNMESSAGEID");

decltype(&installhook) g_installhook = nullptr;
decltype(&UnHook) g_unhook = nullptr;

struct Report {
    WPARAM key;
    LPARAM lParam;
    bool sent; // delivered by SendMessage from another thread instead of posted
};

// A message-only window on a thread of its own, pumping messages the way the
// program's UI thread does, and recording the hook's reports.
class WindowThread {
public:
    WindowThread()
    {
        std::promise<HWND> created;
        auto window = created.get_future();
        m_thread = std::thread([this, &created] { Run(created); });
        m_window = window.get();
    }

    ~WindowThread()
    {
        PostMessageA(m_window, WM_CLOSE, 0, 0);
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
        SendMessageA(m_window, kRunMessage, 0, reinterpret_cast<LPARAM>(&call));
        return result;
    }

    // Keeps this thread from pumping for `time`; returns once it has begun.
    void BeBusyFor(std::chrono::milliseconds time)
    {
        std::unique_lock lock(m_mutex);
        PostMessageA(m_window, kSleepMessage, static_cast<WPARAM>(time.count()), 0);
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

    std::vector<Report> Reports()
    {
        std::lock_guard lock(m_mutex);
        return m_reports;
    }

private:
    static constexpr const char* kClassName = "KeyHookTestWindow";

    void Run(std::promise<HWND>& created)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &WindowThread::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass); // fails harmlessly when another thread already did it
        HWND window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, this);
        created.set_value(window);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<WindowThread*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == g_hookMessage) {
            self->Record({wParam, lParam, InSendMessage() != FALSE});
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
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Record(const Report& report)
    {
        std::lock_guard lock(m_mutex);
        m_reports.push_back(report);
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
        const std::string library = wt::BuildFolder() + "\\keyhook.dll";
        HMODULE module = LoadLibraryA(library.c_str());
        ASSERT_NE(nullptr, module) << library;
        g_installhook = Export<decltype(g_installhook)>(module, "installhook");
        g_unhook = Export<decltype(g_unhook)>(module, "UnHook");
        ASSERT_NE(nullptr, g_installhook);
        ASSERT_NE(nullptr, g_unhook);
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
    KernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, "KeyTypistReady"));
    KernelHandle go(CreateEventA(nullptr, TRUE, FALSE, "KeyTypistGo"));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string results = std::string(temp) + "keytypist-results.txt";
    DeleteFileA(results.c_str());

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
    DeleteFileA(results.c_str());
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

} // namespace
