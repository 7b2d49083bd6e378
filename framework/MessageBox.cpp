#include "framework/MessageBox.h"
#include "framework/WideText.h"

namespace {
// The program's name, whichever edition shows the box.
constexpr wchar_t kTitle[] = L"Tarnwick";
}

int ShowMessage(HWND owner, const std::string& text, UINT flags)
{
    // A control (the image box) stands for the dialog it is in: that is what the user sees.
    HWND window = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    return ::MessageBoxW(window, Wide(text).c_str(), kTitle, flags);
}
