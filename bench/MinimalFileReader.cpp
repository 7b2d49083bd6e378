// The baseline for loading a long settings file: the least a program does that reads
// keyset.ini from its folder into memory - start, read the file whole, create a
// window (hidden, as the program's dialog goes to the tray) and serve it.
#include <windows.h>
#include <string>

namespace {

constexpr char kClassName[] = "MinimalFileReader";

std::string ReadSettingsFile()
{
    std::string bytes;
    HANDLE file = ::CreateFileA("keyset.ini", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[64 * 1024];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const std::string bytes = ReadSettingsFile();
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    // The window's title tells how much was read, so that the read cannot be left out.
    const std::string title = std::to_string(bytes.size());
    ::CreateWindowA(kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
