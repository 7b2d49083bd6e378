// The path box's hint: where it is drawn after the box's text, and the keys and
// clicks that make it give way; the captions' large type, in proportion to the
// dialog's own text at every scale.
#include "framework/DeviceContext.h"
#include "framework/UniqueHandle.h"
#include "tests/wine/support/MainDialogDriver.h"
#include <algorithm>
#include <fstream>
#include <map>

using namespace wt;

namespace {

class HintEditTest : public EditorTest {
protected:
    HWND Hint() const { return ::GetWindow(Control(IDC_PATH), GW_CHILD); }
    // The hint's bounds in the box's client coordinates.
    RECT HintPlace() const
    {
        RECT place{};
        ::GetWindowRect(Hint(), &place);
        ::MapWindowPoints(nullptr, Control(IDC_PATH), reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
};

TEST_F(HintEditTest, TheHintStartsFiveRightOfTheLastCharactersLeftEdge)
{
    ASSERT_NO_FATAL_FAILURE(StartForm());
    EXPECT_EQ(WindowText(Hint()), "optional: enter path or URL here");
    RECT box{};
    ::GetClientRect(Control(IDC_PATH), &box);
    RECT place = HintPlace();
    EXPECT_EQ(place.left, 4) << "an empty box places the hint at -1 + 5";
    EXPECT_EQ(place.top, box.top);
    EXPECT_EQ(place.right, box.right);
    EXPECT_EQ(place.bottom, box.bottom);

    Click(IDC_EMAIL);
    ASSERT_EQ(Text(IDC_PATH), "mailto:");
    EXPECT_TRUE(HintVisible());
    EXPECT_EQ(WindowText(Hint()), "optional: add recipient here");
    const LRESULT colon = ::SendMessageA(Control(IDC_PATH), EM_POSFROMCHAR, 6, 0);
    EXPECT_EQ(HintPlace().left, static_cast<short>(LOWORD(colon)) + 5);
}

TEST_F(HintEditTest, AnyKeyOrClickInTheBoxHidesTheHintAndStillTakesEffect)
{
    ASSERT_NO_FATAL_FAILURE(StartForm());
    RECT hint{};
    ::GetWindowRect(Hint(), &hint);
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* textAfter;
    } cases[] = {
        {"letter", [] { PressKeys({'X'}); }, "x"},
        {"arrow", [] { PressKeys({VK_LEFT}); }, ""},
        {"Shift", [] { PressKeys({VK_SHIFT}); }, ""},
        // On the hint's own letters: the label lets the click through to the box.
        {"click", [&] { ClickAt(hint.left + 20, (hint.top + hint.bottom) / 2); }, ""},
    };
    for (const Case& c : cases) {
        // Coming back from the tray empties the box and shows the hint again.
        ::SendMessageA(m_dialog, WM_COMMAND, ID_TRAY_OPEN, 0);
        ::SetForegroundWindow(m_dialog);
        ASSERT_TRUE(HintVisible()) << c.name;
        c.act();
        AfterMouse();
        EXPECT_FALSE(HintVisible()) << c.name;
        EXPECT_EQ(Text(IDC_PATH), c.textAfter) << c.name;
    }
}

// The height of the ink in a box of the screen, in rows: those with a pixel darker
// than halfway from the box's background (its top left pixel) to black. Nothing but
// its text is drawn in a label, so this is its letters from the top of the highest to
// the foot of the lowest, as the user sees them, whatever font and scale made them.
int InkHeight(const RECT& box)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    const ClientDC screen(nullptr);
    const OwnedDC memory = OwnedDC::CompatibleWith(screen.get());
    const Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), box.left, box.top, SRCCOPY);
    }
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    ::GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    const auto brightness = [](COLORREF pixel) { return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel); };
    const int threshold = brightness(pixels.front()) / 2;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width;
        if (std::any_of(row, row + width, [&](COLORREF pixel) { return brightness(pixel) < threshold; })) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

UINT SystemDpi()
{
    const ClientDC screen(nullptr);
    return static_cast<UINT>(::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

// The program follows its monitor's scale; so does this thread while it measures, to
// see the program's windows in the screen's own pixels.
class PerMonitorScale {
public:
    PerMonitorScale() : m_before(::SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) {}
    ~PerMonitorScale() { ::SetThreadDpiAwarenessContext(m_before); }
    PerMonitorScale(const PerMonitorScale&) = delete;
    PerMonitorScale& operator=(const PerMonitorScale&) = delete;

private:
    DPI_AWARENESS_CONTEXT m_before;
};

// What the run at 96 dpi measured, beside this program, for the run at another scale
// (high-dpi-captions.sh), which writes its own beside it.
std::string InkRecordPath(UINT dpi) { return BuildFolder() + "\\caption-ink-" + std::to_string(dpi) + ".txt"; }
constexpr UINT kRecordedDpi = 96;
constexpr char kDialogText[] = "Function HotKeys:";
// Each height is measured to the pixel, and the fonts' sizes are rounded to pixels
// at each scale on their own.
constexpr double kRoundingPixels = 2;

// The captions' large type keeps its proportion to the dialog's own text at every
// scale: Wine's real rendering, measured on the screen. A caption that stayed at its
// size on a larger scale, grew twice, or lost its descenders to a box too small for it
// measures out of proportion.
TEST_F(HintEditTest, TheCaptionsKeepTheirProportionToTheDialogsText)
{
    const PerMonitorScale scale;
    ASSERT_NO_FATAL_FAILURE(StartForm());
    ::RedrawWindow(m_dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle();
    HWND text = nullptr;
    for (HWND child = ::GetWindow(m_dialog, GW_CHILD); child && !text; child = ::GetWindow(child, GW_HWNDNEXT))
        text = WindowText(child) == kDialogText ? child : nullptr;
    ASSERT_NE(text, nullptr) << "no label \"" << kDialogText << '"';
    const auto inkOf = [](HWND window) {
        RECT box{};
        ::GetWindowRect(window, &box);
        return InkHeight(box);
    };
    std::map<std::string, int> ink{{"text", inkOf(text)}};
    for (int caption : {IDC_SCREEN_CAPTURE, IDC_CAPTURE_KEYS, IDC_HOTKEY_NOTE})
        ink[std::to_string(caption)] = inkOf(Control(caption));
    for (const auto& [name, height] : ink)
        ASSERT_GT(height, 0) << name << " shows nothing";

    const UINT dpi = SystemDpi();
    {
        std::ofstream record(InkRecordPath(dpi));
        for (const auto& [name, height] : ink)
            record << name << ' ' << height << '\n';
        ASSERT_TRUE(record.good()) << "cannot write " << InkRecordPath(dpi);
    }
    if (dpi == kRecordedDpi)
        return;
    std::map<std::string, int> at96;
    std::ifstream record(InkRecordPath(kRecordedDpi));
    for (std::string name; record >> name;)
        record >> at96[name];
    ASSERT_EQ(at96.size(), ink.size()) << "nothing measured at " << kRecordedDpi << " dpi: " << InkRecordPath(kRecordedDpi);
    for (const auto& [name, height] : ink) {
        if (name == "text")
            continue;
        const double expected = static_cast<double>(at96[name]) * ink["text"] / at96["text"];
        EXPECT_NEAR(height, expected, kRoundingPixels)
            << "caption " << name << " at " << dpi << " dpi: " << height << " pixels high beside text of " << ink["text"]
            << "; at " << kRecordedDpi << " dpi " << at96[name] << " beside " << at96["text"];
    }
}

}  // namespace
