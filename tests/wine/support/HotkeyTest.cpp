#include "tests/wine/support/HotkeyTest.h"

namespace wt {

void HotkeyTest::TearDown()
{
    m_desk.reset();
    ProgramTest::TearDown();
}

void HotkeyTest::Start(const std::string& settings)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(settings));
    ASSERT_NO_FATAL_FAILURE(WaitUntilInTray());
    m_desk = std::make_unique<WindowThread>([] { RunTopLevelWindow("TarnwickTestDesk", [](HWND) {}); });
    m_deskWindow = m_desk->WaitForWindow([](HWND) { return true; });
    ASSERT_NE(m_deskWindow, nullptr) << "no desk window";
    ASSERT_TRUE(BringToFront(m_deskWindow)) << "the desk window did not come to the front";
}

}  // namespace wt
