#pragma once
#include <windows.h>

// Opens the help beside the executable with whatever the shell associates with it:
// TWHELP.hlp when it is there (someone may still keep one), otherwise the page
// TWHELP.html. With neither, says so in a message box over `owner` naming the
// folder. The program keeps nothing of the viewer, so each call is a new open request.
void OpenHelpFile(HWND owner);
