#include "framework/FileIO.h"
#include "framework/UniqueHandle.h"

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[64 * 1024];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr)) {
        if (read == 0)
            return bytes;
        bytes.append(buffer, read);
    }
    return std::nullopt;
}
