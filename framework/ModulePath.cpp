#include "framework/ModulePath.h"
#include "framework/WideText.h"
#include <windows.h>

std::string ExecutablePath()
{
    // Grow the buffer rather than cut a long path at MAX_PATH.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return Utf8(path);
        }
        path.resize(path.size() * 2);
    }
}
