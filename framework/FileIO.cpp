#include "framework/FileIO.h"
#include "framework/SystemError.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    FileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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

namespace {
bool WriteNewFile(const std::string& path, const std::string& bytes)
{
    FileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && ::FlushFileBuffers(file.get());
}
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes, std::string& reason)
{
    const std::string newFile = path + ".new";
    if (WriteNewFile(newFile, bytes) &&
        ::MoveFileExW(Wide(newFile).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = SystemErrorText(::GetLastError());
    ::DeleteFileW(Wide(newFile).c_str());
    return false;
}
