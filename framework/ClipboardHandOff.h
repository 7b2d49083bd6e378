#pragma once
#include <windows.h>

// How a hand-off to the clipboard ended: the step that failed, or Taken.
enum class ClipboardHandOff { Taken, NotOpened, NotEmptied, NotTaken };

// Replaces the clipboard's content with `data` in `format`, `owner` holding the
// clipboard meanwhile. Once Taken, the data belongs to the clipboard; otherwise it
// is still the caller's to free. The clipboard is closed again before this returns,
// so that a message about a failure keeps it from no other program.
ClipboardHandOff GiveToClipboard(HWND owner, UINT format, HANDLE data);
