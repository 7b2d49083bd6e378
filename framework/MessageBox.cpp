#include "framework/MessageBox.h"
#include "framework/ModulePath.h"

int ShowMessage(HWND owner, const std::string& text, UINT flags)
{
    return ::MessageBoxA(owner, text.c_str(), ApplicationTitle().c_str(), flags);
}
