#include "tests/wine/support/MessageBoxDriver.h"
#include "tests/wine/support/RemoteControls.h"
#include <atomic>
#include <thread>

namespace wt {

bool IsMessageBox(HWND dialog)
{
    return ::GetDlgItem(dialog, kMessageBoxText) != nullptr;
}

HWND FindMessageBox(DWORD processId, HWND besides)
{
    return FindProcessDialog(processId, besides, IsMessageBox);
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs, HWND besides)
{
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox(processId, besides)) != nullptr; }, timeoutMs);
    return box;
}

namespace {
// A box without an icon keeps the icon's static, hidden.
bool ShowsIcon(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child) &&
            ::SendMessageW(child, STM_GETICON, 0, 0) != 0)
            return true;
    }
    return false;
}
}

Question ReadMessageBox(HWND box)
{
    return {WindowText(::GetDlgItem(box, kMessageBoxText)), WindowText(box), ShowsIcon(box)};
}

void CloseMessageBox(HWND box, int answer)
{
    ::PostMessageW(box, WM_COMMAND, answer, 0);
}

std::optional<Question> RunAndAnswer(DWORD processId, const std::function<void()>& action, int answer, HWND besides)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        action();
        done = true;
    });
    HWND box = nullptr;
    WaitUntil([&] {
        box = FindMessageBox(processId, besides);
        return done || box;
    });
    std::optional<Question> question;
    if (box && !done) {
        question = ReadMessageBox(box);
        CloseMessageBox(box, answer);
    }
    worker.join();
    return question;
}

}  // namespace wt
