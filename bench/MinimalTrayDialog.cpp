// The baseline for start-up time and memory: the least a dialog program with a tray
// icon does - a dialog from a template, an icon in the tray, hidden, a message loop.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kTrayId = 1;
constexpr UINT kTrayMessage = WM_APP + 1;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        NOTIFYICONDATAA nid{};
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = dialog;
        nid.uID = kTrayId;
        nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        nid.uCallbackMessage = kTrayMessage;
        nid.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
        lstrcpyA(nid.szTip, "Minimal");
        ::Shell_NotifyIconA(NIM_ADD, &nid);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        NOTIFYICONDATAA nid{};
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = dialog;
        nid.uID = kTrayId;
        ::Shell_NotifyIconA(NIM_DELETE, &nid);
        ::PostQuitMessage(0);
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // An in-memory template: a hidden dialog titled "Minimal" with no controls.
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title[8];
    } dialogTemplate{};
    dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialogTemplate.header.cx = 200;
    dialogTemplate.header.cy = 100;
    const wchar_t title[] = L"Minimal";
    for (int i = 0; i < 8; ++i)
        dialogTemplate.title[i] = title[i];
    HWND dialog = ::CreateDialogIndirectParamA(instance, &dialogTemplate.header, nullptr, DialogProc, 0);
    if (!dialog)
        return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageA(dialog, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return 0;
}
