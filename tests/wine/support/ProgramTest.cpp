#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/Utf8.h"

namespace wt {

void ProgramTest::SetUp()
{
    EndAllInstances();
}

void ProgramTest::TearDown()
{
    m_program.reset();
    EndAllInstances();
}

void ProgramTest::StartProgram(const std::string& settings, const std::string& exe)
{
    ::DeleteFileW(Wide(m_install.Path("keyset.ini")).c_str());
    if (!settings.empty())
        m_install.WriteFile("keyset.ini", settings);
    ASSERT_NO_FATAL_FAILURE(RunProgram(exe));
}

void ProgramTest::RunProgram(const std::string& exe)
{
    m_program = std::make_unique<Process>(m_install.Path(exe), m_install.Folder());
    m_dialog = FindMainDialog(m_program->Id());
    ASSERT_NE(m_dialog, nullptr) << "no main dialog";
    // The dialog's children exist before its initialisation ends with the radio.
    ASSERT_TRUE(WaitUntil([&] {
        return ::SendMessageW(::GetDlgItem(m_dialog, IDC_PATH_RADIO), BM_GETCHECK, 0, 0) == BST_CHECKED;
    })) << "the dialog did not set itself up";
}

void ProgramTest::WaitUntilInTray()
{
    ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(m_dialog); })) << "no tray icon";
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); })) << "the dialog did not go to the tray";
    // The dialog is hidden before the program is done: under Wine without a window
    // manager its thread stays busy for up to two seconds more, and a key pressed
    // meanwhile would be timed with that wait.
    Settle();
}

void ProgramTest::OpenFromTray()
{
    ::PostMessageW(m_dialog, WM_COMMAND, ID_TRAY_OPEN, 0);
    ASSERT_TRUE(WaitUntil([&] { return Shown(); })) << "Open did not show the dialog";
    Settle();
}

void ProgramTest::StartShown(const std::string& settings, const std::string& exe)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(settings, exe));
    if (settings.empty()) {
        ASSERT_TRUE(WaitUntil([&] { return Shown(); })) << "without shortcuts the dialog did not show itself";
        Settle();
        return;
    }
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); })) << "with shortcuts the program did not start in the tray";
    ASSERT_NO_FATAL_FAILURE(OpenFromTray());
}

bool ProgramTest::Responsive() const
{
    return WaitUntil([&] {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
    }, 5000);
}

void ProgramTest::Settle() const
{
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

}  // namespace wt
