#include "keyhook/KeyFilter.h"
#include "keyhook/VirtualKeys.h"

namespace {

// AltGr reaches the hook as a left CTRL with this scan code, just before the right ALT.
// The user pressed no CTRL: counting it would make AltGr+Q (@ on a German keyboard)
// the shortcut CTRL+ALT+Q while someone types an e-mail address.
constexpr std::uint32_t kAltGrControlScanCode = 0x21D;

// A modifier counts as held when either key of its pair is, or its code for either.
struct ModifierKeys {
    std::uint8_t either, left, right;
};

constexpr ModifierKeys kShiftKeys{vk::kShift, vk::kLeftShift, vk::kRightShift};
constexpr ModifierKeys kControlKeys{vk::kControl, vk::kLeftControl, vk::kRightControl};
constexpr ModifierKeys kAltKeys{vk::kMenu, vk::kLeftMenu, vk::kRightMenu};

bool IsModifier(std::uint8_t key)
{
    for (const ModifierKeys& keys : {kShiftKeys, kControlKeys, kAltKeys})
        if (key == keys.either || key == keys.left || key == keys.right)
            return true;
    return false;
}

bool IsHeld(const KeysDown& down, const ModifierKeys& keys)
{
    return down[keys.either] || down[keys.left] || down[keys.right];
}

// The system is asked about the pair, not the side: the side it files an injected key
// under need not be the one the hook was told (Wine goes by the extended-key flag).
// Not about a modifier a program sent: whenever a window is activated, Wine sets every
// key's state to what the X server believes, and no program's SendInput reaches that
// server. The releases missed behind the secure desktop or an elevated window are of
// keys typed on the keyboard.
void ForgetIfReleased(KeysDown& down, const KeysDown& sentDown, const ModifierKeys& keys, const KeyState& system)
{
    if (IsHeld(down, keys) && !IsHeld(sentDown, keys) && !system.IsDown(keys.either))
        down[keys.either] = down[keys.left] = down[keys.right] = false;
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
    m_sentDown.reset();
    m_ctrlHiddenByAltGr = false;
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
    if (key == vk::kLeftControl || key == vk::kRightControl || key == vk::kControl)
        m_ctrlHiddenByAltGr = false;
    return event.down ? OnKeyDown(key, event.injected, system) : OnKeyUp(key);
}

KeyVerdict KeyFilter::OnKeyDown(std::uint8_t key, bool injected, const KeyState& system)
{
    ForgetModifiersReleasedUnseen(system);
    // A held key repeats its key-down ~30 times a second; the receiver acts on each
    // report, and the program in front must see all of the key or none of it.
    if (m_down[key])
        return {std::nullopt, m_swallowed[key]};
    const Modifiers held = Held();
    m_down[key] = true;
    m_sentDown[key] = injected;
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
    m_sentDown[key] = false;
    return {std::nullopt, swallow};
}

void KeyFilter::OnAltGrControl(bool down)
{
    if (!down && IsHeld(m_down, kControlKeys))
        m_ctrlHiddenByAltGr = true;
}

// After the secure desktop (CTRL+ALT+DEL, then Cancel) or with an elevated window in
// front the hook never sees CTRL or ALT go up; believing them held would turn the next
// plain letter into a shortcut, and keep it from the program in front.
void KeyFilter::ForgetModifiersReleasedUnseen(const KeyState& system)
{
    ForgetIfReleased(m_down, m_sentDown, kShiftKeys, system);
    if (!m_ctrlHiddenByAltGr)
        ForgetIfReleased(m_down, m_sentDown, kControlKeys, system);
    ForgetIfReleased(m_down, m_sentDown, kAltKeys, system);
}

Modifiers KeyFilter::Held() const
{
    return {IsHeld(m_down, kShiftKeys), IsHeld(m_down, kControlKeys), IsHeld(m_down, kAltKeys)};
}
