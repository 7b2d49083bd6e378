#include "bench/MinimalHotkeyHost.h"
#include "keyhook/KeyHook.h"

namespace {

constexpr LPARAM kCtrlAlt = kKeyHookCtrlDown | kKeyHookAltDown;

struct Hotkey {
    WORD key;
    void (*action)(HWND host);
};

UINT KeyDownMessage() { return ::RegisterWindowMessageA("HOOKKEYDOWNMESSAGEID"); }

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT keyDown = KeyDownMessage();
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    if (message == keyDown) {
        const auto* hotkey = reinterpret_cast<const Hotkey*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (wParam == hotkey->key && (lParam & kCtrlAlt) == kCtrlAlt)
            hotkey->action(window);
        return 1;
    }
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunMinimalHotkeyHost(HINSTANCE instance, const char* className, WORD key, void (*action)(HWND host))
{
    Hotkey hotkey{key, action};
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    instance, &hotkey);
    installhook(window, KeyDownMessage());
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    UnHook();
    return 0;
}
