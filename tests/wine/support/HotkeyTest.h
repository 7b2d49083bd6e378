#pragma once
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/WindowThread.h"
#include <memory>

namespace wt {

// A test that presses hotkeys with real input: the program runs in the tray, and a
// window of the test's own process, on a thread of its own, stands for the program
// the user works in. Nothing the program shows may take the keyboard from it for
// good.
class HotkeyTest : public ProgramTest {
protected:
    void TearDown() override;

    // Starts the NT edition with these settings, waits until it has gone to the tray
    // (the icon is added after the hook is installed) and brings the desk window to
    // the front.
    void Start(const std::string& settings);
    HWND DeskWindow() const { return m_deskWindow; }
    bool DeskHasKeyboard() const { return ::GetForegroundWindow() == m_deskWindow; }

private:
    std::unique_ptr<WindowThread> m_desk;
    HWND m_deskWindow = nullptr;
};

}  // namespace wt
