#include "editor/FormCommands.h"
#include "editor/FileDialogs.h"
#include "framework/MessageBox.h"

namespace {
constexpr char kRecipientHint[] = "optional: add recipient here";
constexpr char kImageAccepted[] = "Image Accepted.";
constexpr char kNoBitmap[] = "Please paste bitmap first.";
}

void PromptForPath(CHintEdit& pathBox)
{
    ::SetFocus(pathBox.hwnd());
    ::SetCaretPos(0, 0);
    pathBox.SetHintText(kPathHint);
    pathBox.ShowHint(true);
}

void PromptForRecipient(CHintEdit& pathBox)
{
    pathBox.SetHintText(kRecipientHint);
    pathBox.ShowHint(true);
    // The recipient is typed after "mailto:", so the caret goes to the end.
    HWND box = pathBox.hwnd();
    ::SetFocus(box);
    const auto end = static_cast<WPARAM>(::GetWindowTextLengthA(box));
    ::SendMessageA(box, EM_SETSEL, end, static_cast<LPARAM>(end));
    ::SendMessageA(box, EM_SCROLLCARET, 0, 0);
}

std::optional<std::string> AskPastedImageLocation(HWND owner, const std::string& imageBoxText)
{
    if (imageBoxText != kImageAccepted) {
        ShowMessage(owner, kNoBitmap);
        return std::nullopt;
    }
    return AskBitmapLocation(owner);
}
