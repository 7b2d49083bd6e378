#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/TestSupport.h"
#include <windows.h>

namespace wt {
namespace {

std::string RecordsFile()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "tarnwick-shell-records.txt";
}

void SetDefault(const std::string& key, const std::string& value, const char* name = nullptr)
{
    HKEY handle = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(handle);
}

}  // namespace

ShellRecorder::ShellRecorder(std::vector<std::string> extensionsAndSchemes)
{
    Clear();
    const std::string command = "\"" + BuildFolder() + "\\shellrecorder.exe\" \"%1\"";
    for (const std::string& name : extensionsAndSchemes) {
        if (name.front() == '.') {
            const std::string progId = "TarnwickTest" + name;
            SetDefault(name, progId);
            SetDefault(progId + "\\shell\\open\\command", command);
            m_keys.push_back(name);
            m_keys.push_back(progId);
        } else {
            SetDefault(name, "URL:" + name);
            SetDefault(name, "", "URL Protocol");
            SetDefault(name + "\\shell\\open\\command", command);
            m_keys.push_back(name);
        }
    }
}

ShellRecorder::~ShellRecorder()
{
    for (const std::string& key : m_keys)
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    Clear();
}

std::vector<std::string> ShellRecorder::Records() const
{
    std::vector<std::string> records;
    HANDLE file = ::CreateFileA(RecordsFile().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return records;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        records.push_back(bytes.substr(start, end - start));
    return records;
}

bool ShellRecorder::WaitForRecords(size_t count, unsigned timeoutMs) const
{
    return WaitUntil([&] { return Records().size() >= count; }, timeoutMs);
}

void ShellRecorder::Clear() const { ::DeleteFileA(RecordsFile().c_str()); }

}  // namespace wt
