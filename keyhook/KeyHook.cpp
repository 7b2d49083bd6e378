#include "keyhook/KeyHook.h"

#include <bitset>

namespace {

constexpr size_t kKeyCount = 256;

// A low-level hook runs on the thread that installed it, so this state needs
// no shared section and no lock.
HMODULE g_module = nullptr;
HHOOK g_hook = nullptr;
HWND g_window = nullptr;
UINT g_message = 0;
// A held key repeats its key-down ~30 times a second; the program acts on each
// report, so only the first key-down after a key-up is passed on.
std::bitset<kKeyCount> g_keysDown;

bool EitherDown(DWORD left, DWORD right, DWORD either)
{
    return g_keysDown[left] || g_keysDown[right] || g_keysDown[either];
}

LPARAM Modifiers()
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

LRESULT CALLBACK OnLowLevelKey(int code, WPARAM event, LPARAM data)
{
    if (code == HC_ACTION) {
        const DWORD key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)->vkCode;
        if (key < kKeyCount) {
            const bool down = event == WM_KEYDOWN || event == WM_SYSKEYDOWN;
            // Posted, never sent: the receiver may open modal loops for a long
            // time, and a hook that does not return quickly is skipped or
            // removed by the system.
            if (down && !g_keysDown[key])
                PostMessageA(g_window, g_message, key, Modifiers());
            g_keysDown[key] = down;
        }
    }
    return CallNextHookEx(g_hook, code, event, data);
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

int installhook(HWND window, UINT message)
{
    if (!IsWindow(window))
        return 0;
    UnHook();
    // Key-ups missed while unhooked would otherwise silence those keys for good.
    g_keysDown.reset();
    g_window = window;
    g_message = message;
    g_hook = SetWindowsHookExA(WH_KEYBOARD_LL, OnLowLevelKey, g_module, 0);
    return g_hook != nullptr;
}

int UnHook()
{
    if (!g_hook)
        return 1;
    const BOOL removed = UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    return removed;
}
