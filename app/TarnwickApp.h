#pragma once

// Start-up: hands over to the NT edition where that is the one to run, keeps a
// single instance, and runs the main dialog until the tray's Exit.
#include <windows.h>

class CTarnwickApp {
public:
    int Run();

private:
    static bool RunsOnThisFamily();
    static void StartNtEdition();
    static bool IsDialogKey(MSG& msg);
};
