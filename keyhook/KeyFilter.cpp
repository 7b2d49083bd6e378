#include "keyhook/KeyFilter.h"
#include "keyhook/VirtualKeys.h"

namespace {

// AltGr reaches the hook as a left CTRL with this scan code, just before the right ALT.
// The user pressed no CTRL: counting it would make AltGr+Q (@ on a German keyboard)
// the shortcut CTRL+ALT+Q while someone types an e-mail address.
constexpr std::uint32_t kAltGrControlScanCode = 0x21D;

constexpr std::uint8_t kModifierKeys[] = {vk::kShift,       vk::kControl,      vk::kMenu,
                                          vk::kLeftShift,   vk::kRightShift,   vk::kLeftControl,
                                          vk::kRightControl, vk::kLeftMenu,    vk::kRightMenu};

bool IsModifier(std::uint8_t key)
{
    for (std::uint8_t modifier : kModifierKeys)
        if (key == modifier)
            return true;
    return false;
}

bool IsAltGrControl(const KeyEvent& event)
{
    return event.key == vk::kLeftControl && event.scanCode == kAltGrControlScanCode;
}

} // namespace

void KeyFilter::Reset()
{
    m_bound.Replace(nullptr, 0);
    m_down.reset();
    m_swallowed.reset();
    m_leftControlHiddenByAltGr = false;
}

KeyVerdict KeyFilter::OnKey(const KeyEvent& event, const KeyState& system)
{
    if (event.key >= kKeyHookKeyCount)
        return {};
    if (IsAltGrControl(event)) {
        OnAltGrControl(event.down);
        return {};
    }
    const auto key = static_cast<std::uint8_t>(event.key);
    if (key == vk::kLeftControl)
        m_leftControlHiddenByAltGr = false;
    return event.down ? OnKeyDown(key, system) : OnKeyUp(key);
}

KeyVerdict KeyFilter::OnKeyDown(std::uint8_t key, const KeyState& system)
{
    ForgetModifiersReleasedUnseen(system);
    // A held key repeats its key-down ~30 times a second; the receiver acts on each
    // report, and the program in front must see all of the key or none of it.
    if (m_down[key])
        return {std::nullopt, m_swallowed[key]};
    const Modifiers held = Held();
    m_down[key] = true;
    // Never a modifier: one kept from the system would stick down in every program,
    // and the system's view of modifiers is what ForgetModifiersReleasedUnseen trusts.
    m_swallowed[key] = held.ctrl && held.alt && !IsModifier(key) && m_bound.Fires(key, held.shift);
    return {held, m_swallowed[key]};
}

KeyVerdict KeyFilter::OnKeyUp(std::uint8_t key)
{
    // Whatever the bound chords are by now: a key-up whose key-down was kept from the
    // program in front would reach it alone.
    const bool swallow = m_swallowed[key];
    m_down[key] = false;
    m_swallowed[key] = false;
    return {std::nullopt, swallow};
}

void KeyFilter::OnAltGrControl(bool down)
{
    if (!down && m_down[vk::kLeftControl])
        m_leftControlHiddenByAltGr = true;
}

// After the secure desktop (CTRL+ALT+DEL, then Cancel) or with an elevated window in
// front the hook never sees CTRL or ALT go up; believing them held would turn the next
// plain letter into a shortcut, and keep it from the program in front.
void KeyFilter::ForgetModifiersReleasedUnseen(const KeyState& system)
{
    for (std::uint8_t modifier : kModifierKeys) {
        if (modifier == vk::kLeftControl && m_leftControlHiddenByAltGr)
            continue;
        if (m_down[modifier] && !system.IsDown(modifier))
            m_down[modifier] = false;
    }
}

bool KeyFilter::EitherDown(std::uint8_t left, std::uint8_t right, std::uint8_t either) const
{
    return m_down[left] || m_down[right] || m_down[either];
}

Modifiers KeyFilter::Held() const
{
    return {EitherDown(vk::kLeftShift, vk::kRightShift, vk::kShift),
            EitherDown(vk::kLeftControl, vk::kRightControl, vk::kControl),
            EitherDown(vk::kLeftMenu, vk::kRightMenu, vk::kMenu)};
}
