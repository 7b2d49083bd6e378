#include "tests/wine/support/ShellRecorder.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/Utf8.h"
#include <windows.h>
#include <optional>

namespace wt {
namespace {

std::string RecordsFile()
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    return Utf8(temp) + "tarnwick-shell-records.txt";
}

void SetDefault(const std::string& key, const std::string& value, const wchar_t* name = nullptr)
{
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, Wide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    const std::wstring wide = Wide(value);
    ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
}

bool KeyExists(const std::string& key)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, Wide(key).c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(handle);
    return true;
}

std::optional<std::string> DefaultValue(const std::string& key)
{
    wchar_t value[1024];
    LONG size = sizeof(value);   // bytes
    if (::RegQueryValueW(HKEY_CLASSES_ROOT, Wide(key).c_str(), value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return Utf8(value);
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
            SetDefault(name, "", L"URL Protocol");
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
            if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, Wide(replaced.key).c_str(), 0, KEY_SET_VALUE, &handle) ==
                ERROR_SUCCESS) {
                ::RegDeleteValueW(handle, nullptr);
                ::RegCloseKey(handle);
            }
        }
    }
    for (const std::string& key : m_ownKeys)
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, Wide(key).c_str());
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

void ShellRecorder::Clear() const { ::DeleteFileW(Wide(RecordsFile()).c_str()); }

}  // namespace wt
