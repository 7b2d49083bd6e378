#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/TestSupport.h"
#include <windows.h>
#include <optional>

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

bool KeyExists(const std::string& key)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(handle);
    return true;
}

std::optional<std::string> DefaultValue(const std::string& key)
{
    char value[1024];
    LONG size = sizeof(value);
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(value);
}

}  // namespace

ShellRecorder::ShellRecorder(std::vector<std::string> extensionsAndSchemes)
{
    Clear();
    const std::string command = "\"" + BuildFolder() + "\\shellrecorder.exe\" \"%1\"";
    for (const std::string& name : extensionsAndSchemes) {
        if (name.front() == '.') {
            const std::string progId = "TarnwickTest" + name;
            SetDefault(progId + "\\shell\\open\\command", command);
            m_ownKeys.push_back(progId);
            Override(name, progId);
        } else if (KeyExists(name)) {
            Override(name + "\\shell\\open\\command", command);
        } else {
            SetDefault(name, "URL:" + name);
            SetDefault(name, "", "URL Protocol");
            SetDefault(name + "\\shell\\open\\command", command);
            m_ownKeys.push_back(name);
        }
    }
}

ShellRecorder::~ShellRecorder()
{
    for (const Replaced& replaced : m_replaced) {
        if (replaced.previous) {
            SetDefault(replaced.key, *replaced.previous);
        } else {
            HKEY handle = nullptr;
            if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, replaced.key.c_str(), 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
                ::RegDeleteValueA(handle, nullptr);
                ::RegCloseKey(handle);
            }
        }
    }
    for (const std::string& key : m_ownKeys)
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    Clear();
}

// Deleting a key that the prefix had would take its other verbs and values with it:
// only the one value is replaced, and restored afterwards.
void ShellRecorder::Override(const std::string& key, const std::string& value)
{
    if (KeyExists(key))
        m_replaced.push_back({key, DefaultValue(key)});
    else
        m_ownKeys.push_back(key);
    SetDefault(key, value);
}

std::vector<std::string> ShellRecorder::Records() const
{
    std::vector<std::string> records;
    const std::string bytes = ReadFileBytes(RecordsFile()).value_or("");
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
