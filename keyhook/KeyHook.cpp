#include "keyhook/KeyHook.h"
#include "keyhook/HookThread.h"

namespace {

HMODULE g_module = nullptr;
HookThread g_hookThread;

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
    g_hookThread.Stop();
    // The new thread starts with every key up: key-ups missed while unhooked (or while
    // the session was locked) would otherwise leave keys looking held for good.
    return g_hookThread.Start(g_module, window, message);
}

int UnHook() { return g_hookThread.Stop(); }

int SetBoundChords(const unsigned char* chords, int count)
{
    if (count < 0 || count > kKeyHookKeyCount || (count > 0 && !chords))
        return 0;
    return g_hookThread.Bind(chords, static_cast<std::size_t>(count));
}
