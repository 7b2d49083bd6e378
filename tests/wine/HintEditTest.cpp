// The path box's hint: where it is drawn after the box's text, and the keys and
// clicks that make it give way.
#include "tests/wine/support/MainDialogDriver.h"

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

}  // namespace
