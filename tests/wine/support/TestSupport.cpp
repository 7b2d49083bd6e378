#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/Utf8.h"
#include <gtest/gtest.h>
#include <shellapi.h>
#include <tlhelp32.h>
#include <cstdlib>
#include <vector>

namespace wt {

std::string BuildFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    const std::string folder = Utf8({path, length});
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string CurrentTestName()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test ? std::string(test->test_suite_name()) + "." + test->name() : "outside-a-test";
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(stepMs);
    }
}

namespace {
void RemoveTree(const std::string& folder)
{
    // The list of names ends with an empty one.
    const std::wstring from = Wide(folder) + std::wstring(2, L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

std::string TestsRoot()
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::string root = Utf8(temp) + "tarnwick-tests";
    ::CreateDirectoryW(Wide(root).c_str(), nullptr);
    return root;
}
}

ProgramInstall::ProgramInstall(const std::string& name) : ProgramInstall(name, "") {}

ProgramInstall::ProgramInstall(const std::string& name, const std::string& folderName)
    : m_tree(TestsRoot() + "\\" + name), m_folder(folderName.empty() ? m_tree : m_tree + "\\" + folderName)
{
    RemoveTree(m_tree);
    ::CreateDirectoryW(Wide(m_tree).c_str(), nullptr);
    ::CreateDirectoryW(Wide(m_folder).c_str(), nullptr);
    for (const char* file : {"Tarnwick.exe", "ntlauncher.exe", "keyhook.dll"})
        ::CopyFileW(Wide(BuildFolder() + "\\" + file).c_str(), Wide(Path(file)).c_str(), FALSE);
}

ProgramInstall::~ProgramInstall() { RemoveTree(m_tree); }

void ProgramInstall::WriteFile(const std::string& file, const std::string& bytes) const
{
    HANDLE handle = ::CreateFileW(Wide(Path(file)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(handle);
}

std::optional<std::string> ProgramInstall::ReadFile(const std::string& file) const
{
    return ReadFileBytes(Path(file));
}

std::optional<std::string> ReadFileBytes(const std::string& path)
{
    // Shared for writing too: the program or a recorder may still hold the file.
    HANDLE handle = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(handle, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(handle);
    return bytes;
}

Process::Process(const std::string& exePath, const std::string& folder) : Process(exePath, folder, {}) {}

Process::Process(const std::string& exePath, const std::string& folder, const std::vector<std::string>& arguments)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exePath + "\"";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";
    std::wstring wideCommandLine = Wide(commandLine);   // CreateProcessW may write into it
    const std::wstring wideFolder = Wide(folder);
    ::CreateProcessW(Wide(exePath).c_str(), wideCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.empty() ? nullptr : wideFolder.c_str(), &startup, &m_info);
}

Process::~Process()
{
    Terminate();
    if (m_info.hThread)
        ::CloseHandle(m_info.hThread);
    if (m_info.hProcess)
        ::CloseHandle(m_info.hProcess);
}

bool Process::WaitForExit(DWORD timeoutMs) const
{
    return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void Process::Terminate()
{
    if (m_info.hProcess && !WaitForExit(0)) {
        ::TerminateProcess(m_info.hProcess, 1);
        WaitForExit(5000);
    }
}

DWORD WindowProcess(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

HWND FindMainDialog(DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", L"Tarnwick"); w;
             w = ::FindWindowExW(nullptr, w, L"#32770", L"Tarnwick")) {
            // The main dialog is the one with the shortcut list; the popup has none.
            if (::GetDlgItem(w, IDC_SHORTCUT_LIST) && (processId == 0 || WindowProcess(w) == processId)) {
                found = w;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

void EndAllInstances()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"Tarnwick.exe") != 0 && _wcsicmp(entry.szExeFile, L"ntlauncher.exe") != 0)
            continue;
        if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            ::TerminateProcess(process, 1);
            ::WaitForSingleObject(process, 5000);
            ::CloseHandle(process);
        }
    }
    ::CloseHandle(snapshot);
}

bool TrayIconPresent(HWND owner, UINT id)
{
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = owner;
    nid.uID = id;
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

void SetWindowsVersion(const std::string& exeName, const char* version)
{
    const std::wstring key = Wide("Software\\Wine\\AppDefaults\\" + exeName);
    if (!version) {
        ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
        return;
    }
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) == ERROR_SUCCESS) {
        const std::wstring value = Wide(version);
        ::RegSetValueExW(handle, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(handle);
    }
}

namespace {
// A person's pause between two keys.
constexpr DWORD kTypingPauseMs = 30;

INPUT KeyInput(WORD key, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}
}

void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, 0));
    for (auto it = keys.end(); it != keys.begin();)
        inputs.push_back(KeyInput(*--it, KEYEVENTF_KEYUP));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendKeys(std::initializer_list<WORD> keys, DWORD flags)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, flags));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendKey(WORD key, bool up)
{
    SendKeys({key}, up ? KEYEVENTF_KEYUP : 0);
}

void PressHotkey(WORD key)
{
    for (WORD down : {WORD(VK_CONTROL), WORD(VK_MENU), key}) {
        SendKey(down, false);
        ::Sleep(kTypingPauseMs);
    }
    for (WORD up : {key, WORD(VK_MENU), WORD(VK_CONTROL)})
        SendKey(up, true);
}

void TypeText(const std::string& utf8)
{
    for (wchar_t unit : Wide(utf8)) {
        INPUT inputs[2] = {KeyInput(0, KEYEVENTF_UNICODE), KeyInput(0, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
        for (INPUT& input : inputs)
            input.ki.wScan = unit;
        ::SendInput(2, inputs, sizeof(INPUT));
        ::Sleep(kTypingPauseMs);
    }
}

void PressChord(std::initializer_list<WORD> keys)
{
    constexpr DWORD kSettleMs = 300;
    ::Sleep(kSettleMs);
    PressKeys(keys);
}

void SendMouse(int x, int y, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute coordinates are normalised to 0..65535 over the primary screen.
    input.mi.dx = static_cast<LONG>((x * 65535LL + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((y * 65535LL + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(30);
}

namespace {
DWORD g_lastClick = 0;
POINT g_lastPoint{-1, -1};

// Two clicks at one place within the double-click time make a double click, which
// a list takes as "open" rather than "select": a person's second click there, after
// a dialog came and went, comes later than that.
void WaitOutDoubleClickTime(int x, int y)
{
    const DWORD doubleClickMs = ::GetDoubleClickTime();
    const DWORD since = ::GetTickCount() - g_lastClick;
    if (std::abs(x - g_lastPoint.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(y - g_lastPoint.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK) && since <= doubleClickMs)
        ::Sleep(doubleClickMs - since + 50);
}

void RememberClick(int x, int y)
{
    g_lastClick = ::GetTickCount();
    g_lastPoint = {x, y};
}
}

void ClickAt(int x, int y, bool rightButton)
{
    WaitOutDoubleClickTime(x, y);
    SendMouse(x, y, 0);
    SendMouse(x, y, rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendMouse(x, y, rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    RememberClick(x, y);
}

void DoubleClickAt(int x, int y)
{
    WaitOutDoubleClickTime(x, y);
    SendMouse(x, y, 0);
    for (int click = 0; click < 2; ++click) {
        SendMouse(x, y, MOUSEEVENTF_LEFTDOWN);
        SendMouse(x, y, MOUSEEVENTF_LEFTUP);
    }
    RememberClick(x, y);
}

void ClickOn(HWND window, bool rightButton)
{
    RECT box{};
    ::GetWindowRect(window, &box);
    ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2, rightButton);
}

void DragFromTo(POINT from, POINT to)
{
    constexpr int kSteps = 8;
    SendMouse(from.x, from.y, 0);
    SendMouse(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= kSteps; ++i)
        SendMouse(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps, 0);
    SendMouse(to.x, to.y, MOUSEEVENTF_LEFTUP);
}

HWND FindPopupMenu(DWORD timeoutMs)
{
    HWND menu = nullptr;
    WaitUntil([&] {
        menu = ::FindWindowW(L"#32768", nullptr);
        return menu && ::IsWindowVisible(menu);
    }, timeoutMs);
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

}  // namespace wt
