#pragma once
#include "tests/wine/support/TestSupport.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace wt {

// A test that runs the program from an installation of its own: no other instance
// runs before or after it. The start helpers stop the test where they fail, when
// called under ASSERT_NO_FATAL_FAILURE.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() = default;
    // The program installed in a folder of that name inside the test's own.
    explicit ProgramTest(const std::string& folderName) : m_install{CurrentTestName(), folderName} {}

    void SetUp() override;
    void TearDown() override;

    // Starts the program (by default the NT edition) with these settings ("": no
    // settings file) and waits until its main dialog has set itself up.
    void StartProgram(const std::string& settings, const std::string& exe = "ntlauncher.exe");
    // The same on the settings file as it is.
    void RunProgram(const std::string& exe = "ntlauncher.exe");
    // Waits until the program has hidden its dialog into the tray.
    void WaitUntilInTray();
    // Shows the dialog as the tray menu's Open does.
    void OpenFromTray();
    // Starts the program and has its dialog on screen: shown by itself without
    // settings, opened from the tray where it goes with them.
    void StartShown(const std::string& settings, const std::string& exe = "ntlauncher.exe");
    // Returns once the dialog has handled everything it was sent or given before.
    void Settle() const;
    bool Shown() const { return ::IsWindowVisible(m_dialog) != FALSE; }
    // Answers a message within a few seconds (a popup may be opening just then).
    bool Responsive() const;
    DWORD ProgramId() const { return m_program->Id(); }

    ProgramInstall m_install{CurrentTestName()};
    std::unique_ptr<Process> m_program;
    HWND m_dialog = nullptr;
};

}  // namespace wt
