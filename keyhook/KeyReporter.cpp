#include "keyhook/KeyReporter.h"
#include "keyhook/KeyHook.h"

namespace {

// AltGr reaches the hook as a left CTRL with this scan code, just before the right ALT.
// The user pressed no CTRL: counting it would make AltGr+Q (@ on a German keyboard)
// the shortcut CTRL+ALT+Q while someone types an e-mail address.
constexpr DWORD kAltGrControlScanCode = 0x21D;

bool IsAltGrControl(const KBDLLHOOKSTRUCT& key)
{
    return key.vkCode == VK_LCONTROL && key.scanCode == kAltGrControlScanCode;
}

} // namespace

void KeyReporter::OnKey(const KBDLLHOOKSTRUCT& key, bool down)
{
    if (key.vkCode >= kKeyCount || IsAltGrControl(key))
        return;
    // A held key repeats its key-down ~30 times a second, and the program acts on each
    // report. Posted, never sent: the receiver may sit in a modal loop for a long time,
    // and every key on the desktop waits for this hook.
    if (down && !m_keysDown[key.vkCode])
        ::PostMessageA(m_receiver, m_message, key.vkCode, Modifiers());
    m_keysDown[key.vkCode] = down;
}

bool KeyReporter::EitherDown(DWORD left, DWORD right, DWORD either) const
{
    return m_keysDown[left] || m_keysDown[right] || m_keysDown[either];
}

LPARAM KeyReporter::Modifiers() const
{
    LPARAM modifiers = kKeyHookModifiersReported;
    if (EitherDown(VK_LSHIFT, VK_RSHIFT, VK_SHIFT))
        modifiers |= kKeyHookShiftDown;
    if (EitherDown(VK_LCONTROL, VK_RCONTROL, VK_CONTROL))
        modifiers |= kKeyHookCtrlDown;
    if (EitherDown(VK_LMENU, VK_RMENU, VK_MENU))
        modifiers |= kKeyHookAltDown;
    return modifiers;
}
