#include "tests/wine/support/ProgramDialogs.h"
#include <algorithm>

namespace wt {

std::vector<HWND> VisibleDialogsOf(DWORD processId)
{
    std::vector<HWND> found;
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w; w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        if (::IsWindowVisible(w) && WindowProcess(w) == processId && !::GetDlgItem(w, IDC_SHORTCUT_LIST))
            found.push_back(w);
    }
    return found;
}

HWND FindProcessDialog(DWORD processId, HWND mainDialog, const std::function<bool(HWND)>& matches)
{
    for (HWND w : VisibleDialogsOf(processId))
        if (w != mainDialog && matches(w))
            return w;
    return nullptr;
}

HWND WaitForProcessDialog(DWORD processId, const std::function<bool(HWND)>& matches, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessDialog(processId, nullptr, matches)) != nullptr; }, timeoutMs);
    return found;
}

std::vector<HWND> PopupsOf(DWORD processId)
{
    std::vector<HWND> popups = VisibleDialogsOf(processId);
    popups.erase(std::remove_if(popups.begin(), popups.end(), [](HWND w) { return !::GetDlgItem(w, IDC_NOTIFY_TEXT); }),
                 popups.end());
    return popups;
}

HWND FindPopup(DWORD processId)
{
    const std::vector<HWND> popups = PopupsOf(processId);
    return popups.empty() ? nullptr : popups.front();
}

HWND WaitForPopup(DWORD processId, DWORD timeoutMs)
{
    HWND popup = nullptr;
    WaitUntil([&] { return (popup = FindPopup(processId)) != nullptr; }, timeoutMs, 5);
    return popup;
}

bool CloseAllPopups(DWORD processId)
{
    constexpr DWORD kClosingMs = 5000;
    constexpr DWORD kAskAgainMs = 200;
    // The program shows one popup and hides it between confirmations: one shown again
    // meanwhile is asked again.
    return WaitUntil([&] {
        std::vector<HWND> popups = PopupsOf(processId);
        for (HWND popup : popups)
            ::PostMessageW(popup, WM_CLOSE, 0, 0);
        return popups.empty();
    }, kClosingMs, kAskAgainMs);
}

bool CloseThePopup(DWORD processId)
{
    HWND popup = WaitForPopup(processId);
    if (!popup)
        return false;
    ::PostMessageW(popup, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !::IsWindowVisible(popup); }, 3000);
}

}  // namespace wt
