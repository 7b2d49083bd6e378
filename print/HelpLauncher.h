#pragma once

// Opens TWHELP.hlp beside the executable with whatever the shell associates with it.
// The program keeps nothing of the viewer, so each call is a new open request.
void OpenHelpFile();
