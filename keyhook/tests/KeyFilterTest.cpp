#include "keyhook/KeyFilter.h"
#include "keyhook/VirtualKeys.h"

#include <gtest/gtest.h>

#include <bitset>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

void PrintTo(const KeyVerdict& verdict, std::ostream* out)
{
    if (verdict.report)
        *out << "reported with shift " << verdict.report->shift << " ctrl " << verdict.report->ctrl << " alt "
             << verdict.report->alt;
    else
        *out << "not reported";
    *out << (verdict.swallow ? ", swallowed" : ", passed on");
}

namespace {

constexpr std::uint32_t kAltGrControlScanCode = 0x21D;

// What the system believes is down: every event it saw, whether the hook saw it or
// not, except the keys the hook kept from it.
class FakeKeyboard : public KeyState {
public:
    bool IsDown(std::uint8_t key) const override
    {
        if (key == vk::kShift)
            return m_down[vk::kLeftShift] || m_down[vk::kRightShift] || m_down[key];
        if (key == vk::kControl)
            return m_down[vk::kLeftControl] || m_down[vk::kRightControl] || m_down[key];
        if (key == vk::kMenu)
            return m_down[vk::kLeftMenu] || m_down[vk::kRightMenu] || m_down[key];
        return m_down[key];
    }
    void Apply(const KeyEvent& event)
    {
        if (event.key < kKeyHookKeyCount)
            m_down[event.key] = event.down;
    }

private:
    std::bitset<kKeyHookKeyCount> m_down;
};

using Chords = std::vector<std::pair<std::uint8_t, unsigned char>>;

constexpr Modifiers kPlain{};
constexpr Modifiers kCtrl{false, true, false};
constexpr Modifiers kAlt{false, false, true};
constexpr Modifiers kCtrlAlt{false, true, true};
constexpr Modifiers kShiftCtrlAlt{true, true, true};

const KeyVerdict kPassed{};
const KeyVerdict kSwallowed{std::nullopt, true};
KeyVerdict Reported(Modifiers held) { return {held, false}; }
KeyVerdict ReportedSwallowed(Modifiers held) { return {held, true}; }

struct Step {
    KeyEvent event;
    KeyVerdict expected;
    bool seenByHook = true;
};

Step Press(std::uint8_t key, KeyVerdict expected) { return {{key, 0, true}, expected}; }
Step Release(std::uint8_t key, KeyVerdict expected = kPassed) { return {{key, 0, false}, expected}; }
// A key-up the hook never saw: the secure desktop or an elevated window had the keyboard.
Step ReleasedUnseen(std::uint8_t key) { return {{key, 0, false}, kPassed, false}; }
// Sent by a program with SendInput rather than typed.
Step Sent(Step step)
{
    step.event.injected = true;
    return step;
}
Step AltGrControl(bool down) { return {{vk::kLeftControl, kAltGrControlScanCode, down}, kPassed}; }

class KeyFilterTest : public testing::Test {
protected:
    void Bind(const Chords& chords)
    {
        std::vector<std::uint8_t> table(kKeyHookKeyCount);
        for (const auto& [key, shiftStates] : chords)
            table[key] |= shiftStates;
        m_filter.Bind(table.data(), table.size());
    }

    void Run(const std::vector<Step>& steps)
    {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            if (step.seenByHook) {
                const KeyVerdict verdict = m_filter.OnKey(step.event, m_keyboard);
                EXPECT_EQ(step.expected, verdict) << "step " << i << ", key " << step.event.key;
                if (verdict.swallow)
                    continue;
            }
            m_keyboard.Apply(step.event);
        }
    }

    KeyFilter m_filter;
    FakeKeyboard m_keyboard;
};

struct FilterCase {
    const char* name;
    Chords bound;
    std::vector<Step> steps;
};

class KeyFilterCaseTest : public KeyFilterTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(KeyFilterCaseTest, ReportsAndSwallows)
{
    Bind(GetParam().bound);
    Run(GetParam().steps);
}

const std::vector<Step> kCtrlAltDown = {Press(vk::kLeftControl, Reported(kPlain)), Press(vk::kLeftMenu, Reported(kCtrl))};
const std::vector<Step> kCtrlAltUp = {Release(vk::kLeftMenu), Release(vk::kLeftControl)};

std::vector<Step> Join(std::initializer_list<std::vector<Step>> parts)
{
    std::vector<Step> all;
    for (const std::vector<Step>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Events, KeyFilterCaseTest,
    testing::Values(
        FilterCase{"BoundChordSwallowedDownAndUp", {{'K', kKeyHookChordShiftUp}},
                   Join({kCtrlAltDown, {Press('K', ReportedSwallowed(kCtrlAlt)), Release('K', kSwallowed)}, kCtrlAltUp})},
        FilterCase{"UnboundChordPassesOn", {{'K', kKeyHookChordShiftUp}},
                   Join({kCtrlAltDown, {Press('J', Reported(kCtrlAlt)), Release('J')}, kCtrlAltUp})},
        FilterCase{"BoundKeyWithoutBothModifiersPassesOn", {{'K', kKeyHookChordShiftUp}},
                   {Press('K', Reported(kPlain)), Release('K'),
                    Press(vk::kRightControl, Reported(kPlain)), Press('K', Reported(kCtrl)), Release('K'),
                    Release(vk::kRightControl),
                    Press(vk::kRightMenu, Reported(kPlain)), Press('K', Reported(kAlt)), Release('K'),
                    Release(vk::kRightMenu)}},
        FilterCase{"ShiftHeldButBoundWithoutShift", {{'K', kKeyHookChordShiftUp}},
                   Join({{Press(vk::kLeftShift, Reported(kPlain))},
                         {Press(vk::kLeftControl, Reported({true, false, false})),
                          Press(vk::kLeftMenu, Reported({true, true, false}))},
                         {Press('K', Reported(kShiftCtrlAlt)), Release('K'), Release(vk::kLeftShift)},
                         kCtrlAltUp})},
        FilterCase{"BoundWithShiftOnly", {{'K', kKeyHookChordShiftDown}},
                   Join({kCtrlAltDown,
                         {Press('K', Reported(kCtrlAlt)), Release('K'),
                          Press(vk::kRightShift, Reported(kCtrlAlt)), Press('K', ReportedSwallowed(kShiftCtrlAlt)),
                          Release('K', kSwallowed), Release(vk::kRightShift)},
                         kCtrlAltUp})},
        // AltGr+E types the euro sign on many layouts.
        FilterCase{"AltGrIsNoCtrl", {{'E', kKeyHookChordShiftUp}},
                   {AltGrControl(true), Press(vk::kRightMenu, Reported(kPlain)), Press('E', Reported(kAlt)),
                    Release('E'), Release(vk::kRightMenu), AltGrControl(false)}},
        // AltGr letting go of its CTRL makes the system believe the real one is up too.
        FilterCase{"RealCtrlHeldAcrossAltGr", {{'E', kKeyHookChordShiftUp}},
                   {Press(vk::kLeftControl, Reported(kPlain)), AltGrControl(true),
                    Press(vk::kRightMenu, Reported(kCtrl)), Press('E', ReportedSwallowed(kCtrlAlt)),
                    Release('E', kSwallowed), Release(vk::kRightMenu), AltGrControl(false),
                    Press(vk::kLeftMenu, Reported(kCtrl)), Press('E', ReportedSwallowed(kCtrlAlt)),
                    Release('E', kSwallowed), Release(vk::kLeftMenu), Release(vk::kLeftControl),
                    Press('E', Reported(kPlain))}},
        FilterCase{"AutoRepeatOfSwallowedKeyStaysSwallowed", {{'K', kKeyHookChordShiftUp}},
                   Join({kCtrlAltDown,
                         {Press('K', ReportedSwallowed(kCtrlAlt)), Press('K', kSwallowed), Press('K', kSwallowed),
                          Release(vk::kLeftControl), Press('K', kSwallowed), Release('K', kSwallowed),
                          Release(vk::kLeftMenu)}})},
        FilterCase{"AutoRepeatOfPassedKeyStaysPassed", {{'K', kKeyHookChordShiftUp}},
                   Join({{Press('K', Reported(kPlain))},
                         {Press(vk::kLeftControl, Reported(kPlain)), Press(vk::kLeftMenu, Reported(kCtrl))},
                         {Press('K', kPassed), Release('K')}, kCtrlAltUp})},
        FilterCase{"ModifiersReleasedUnseenAreForgotten", {{'K', kKeyHookChordShiftUp}},
                   Join({kCtrlAltDown,
                         {ReleasedUnseen(vk::kLeftMenu), ReleasedUnseen(vk::kLeftControl),
                          Press('K', Reported(kPlain)), Release('K'),
                          Press(vk::kLeftControl, Reported(kPlain))}})},
        // Wine resets the state of keys its X server never saw when a window is
        // activated: the system then says a program's held CTRL and ALT are up.
        FilterCase{"ModifiersSentByAProgramAreKept", {{'K', kKeyHookChordShiftUp}},
                   {Sent(Press(vk::kLeftControl, Reported(kPlain))), Sent(Press(vk::kLeftMenu, Reported(kCtrl))),
                    ReleasedUnseen(vk::kLeftMenu), ReleasedUnseen(vk::kLeftControl),
                    Sent(Press('K', ReportedSwallowed(kCtrlAlt))), Sent(Release('K', kSwallowed)),
                    Sent(Release(vk::kLeftMenu)), Sent(Release(vk::kLeftControl)),
                    Press(vk::kLeftControl, Reported(kPlain)), ReleasedUnseen(vk::kLeftControl),
                    Press(vk::kLeftMenu, Reported(kPlain))}},
        FilterCase{"ShiftReleasedUnseenIsForgotten", {{'K', kKeyHookChordShiftUp}},
                   Join({{Press(vk::kLeftShift, Reported(kPlain)), ReleasedUnseen(vk::kLeftShift)},
                         kCtrlAltDown, {Press('K', ReportedSwallowed(kCtrlAlt)), Release('K', kSwallowed)}})},
        // A modifier kept from the system would stick down in every program.
        FilterCase{"BoundModifierPassesOn", {{vk::kRightMenu, kKeyHookChordShiftUp}, {vk::kShift, kKeyHookChordShiftUp}},
                   Join({kCtrlAltDown, {Press(vk::kRightMenu, Reported(kCtrlAlt)), Release(vk::kRightMenu),
                                        Press(vk::kShift, Reported(kCtrlAlt)), Release(vk::kShift)}})},
        FilterCase{"KeyCodeBeyondTheTablePasses", {},
                   {{{kKeyHookKeyCount, 0, true}, kPassed}, {{0xFFFFFFFF, 0, false}, kPassed}}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST_F(KeyFilterTest, KeyUpFollowsItsKeyDownWhateverTheChordsAreByThen)
{
    Bind({{'K', kKeyHookChordShiftUp}});
    Run(Join({kCtrlAltDown, {Press('K', ReportedSwallowed(kCtrlAlt))}}));
    Bind({{'J', kKeyHookChordShiftUp}});
    Run({Press('J', ReportedSwallowed(kCtrlAlt)), Release('K', kSwallowed)});
    Bind({});
    Run({Release('J', kSwallowed), Press('J', Reported(kCtrlAlt)), Release('J')});
}

TEST_F(KeyFilterTest, BindingFewerKeysUnbindsTheRest)
{
    Bind({{'A', kKeyHookChordShiftUp}, {'K', kKeyHookChordShiftUp}});
    std::vector<std::uint8_t> upToA('A' + 1);
    upToA['A'] = kKeyHookChordShiftUp;
    m_filter.Bind(upToA.data(), upToA.size());
    Run(Join({kCtrlAltDown, {Press('A', ReportedSwallowed(kCtrlAlt)), Press('K', Reported(kCtrlAlt))}}));
}

// A new hook starts with every key up and nothing bound.
TEST_F(KeyFilterTest, ResetForgetsKeysAndChords)
{
    Bind({{'K', kKeyHookChordShiftUp}});
    Run(Join({kCtrlAltDown, {Press('K', ReportedSwallowed(kCtrlAlt))}}));
    m_filter.Reset();
    Run({Release('K'), Press(vk::kLeftControl, Reported(kPlain)), Press(vk::kLeftMenu, Reported(kCtrl)),
         Press('K', Reported(kCtrlAlt))});
}

} // namespace
