#include "keyhook/KeyReporter.h"
#include "keyhook/AsyncKeyState.h"
#include "keyhook/KeyHook.h"
#include "keyhook/VirtualKeys.h"

static_assert(vk::kShift == VK_SHIFT && vk::kControl == VK_CONTROL && vk::kMenu == VK_MENU);
static_assert(vk::kLeftShift == VK_LSHIFT && vk::kRightShift == VK_RSHIFT);
static_assert(vk::kLeftControl == VK_LCONTROL && vk::kRightControl == VK_RCONTROL);
static_assert(vk::kLeftMenu == VK_LMENU && vk::kRightMenu == VK_RMENU);

namespace {

LPARAM FlagsOf(const Modifiers& held)
{
    return kKeyHookModifiersReported | (held.shift ? kKeyHookShiftDown : 0) | (held.ctrl ? kKeyHookCtrlDown : 0) |
           (held.alt ? kKeyHookAltDown : 0);
}

} // namespace

void KeyReporter::Reset(HWND receiver, UINT message)
{
    m_receiver = receiver;
    m_message = message;
    m_filter.Reset();
}

bool KeyReporter::OnKey(const KBDLLHOOKSTRUCT& key, bool down)
{
    const KeyVerdict verdict =
        m_filter.OnKey({key.vkCode, key.scanCode, down, (key.flags & LLKHF_INJECTED) != 0}, AsyncKeyState());
    // Posted, never sent: the receiver may sit in a modal loop for a long time, and
    // every key on the desktop waits for this hook.
    if (verdict.report)
        ::PostMessageW(m_receiver, m_message, key.vkCode, FlagsOf(*verdict.report));
    return verdict.swallow;
}
