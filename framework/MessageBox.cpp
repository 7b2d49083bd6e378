#include "framework/MessageBox.h"
#include "framework/WideText.h"

namespace {
// The program's name, whichever edition shows the box.
constexpr wchar_t kTitle[] = L"Tarnwick";
}

int ShowMessage(HWND owner, const std::string& text, UINT flags)
{
    return ::MessageBoxW(owner, Wide(text).c_str(), kTitle, flags);
}
