#pragma once
#include "tests/wine/support/ProgramDialogs.h"
#include <functional>
#include <optional>
#include <string>

// The message boxes a program shows: found, read and answered as a user would.
namespace wt {

// The static that holds a message box's text. The program's own dialogs give their
// labels the same id, so they are told apart by handle where it matters.
constexpr int kMessageBoxText = 0xFFFF;

struct Question {
    std::string text;
    std::string caption;
    // The box shows an icon (information, warning, error, question) beside its text.
    bool icon = false;
};

bool IsMessageBox(HWND dialog);
// A visible message box of the process other than `besides`, if one is open.
HWND FindMessageBox(DWORD processId, HWND besides = nullptr);
// The same, waited for; nullptr after the timeout.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = 3000, HWND besides = nullptr);
Question ReadMessageBox(HWND box);
// Closes the box with its button of that command (IDOK, IDYES, ...).
void CloseMessageBox(HWND box, int answer);

// Runs the action on a thread of its own; a message box that the process shows
// meanwhile (other than `besides`) is read and answered with `answer`. What it
// asked, or nullopt when the action ended without asking.
std::optional<Question> RunAndAnswer(DWORD processId, const std::function<void()>& action, int answer = IDOK,
                                     HWND besides = nullptr);

}  // namespace wt
