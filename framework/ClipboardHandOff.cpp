#include "framework/ClipboardHandOff.h"
#include "framework/Clipboard.h"

ClipboardHandOff GiveToClipboard(HWND owner, UINT format, HANDLE data)
{
    Clipboard clipboard(owner);
    if (!clipboard.IsOpen())
        return ClipboardHandOff::NotOpened;
    if (!clipboard.Empty())
        return ClipboardHandOff::NotEmptied;
    if (!clipboard.Set(format, data))
        return ClipboardHandOff::NotTaken;
    return ClipboardHandOff::Taken;
}
