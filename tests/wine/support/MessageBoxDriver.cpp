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

Question ReadMessageBox(HWND box)
{
    return {WindowText(::GetDlgItem(box, kMessageBoxText)), WindowText(box)};
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
