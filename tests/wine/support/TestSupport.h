#pragma once
#include <windows.h>
#include "res/resource.h"
#include "tests/wine/support/Clipboard.h"
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// What the tests under Wine share: a private copy of the programs, processes that
// never outlive a test, windows found by owner process, real input and the clipboard.
// Every text and path they take or give is UTF-8, and may hold any character.
namespace wt {

// The program's ids are res/resource.h's; the messages it handles are in
// app/WindowMessages.h, for the tests that send them.
constexpr UINT kTrayIconId = IDR_TRAYMENU;
constexpr DWORD kStartTimeoutMs = 10000;

// Folder of the running test program: the build puts the programs beside it.
std::string BuildFolder();

// Name of the running test: a folder name that no other test shares.
std::string CurrentTestName();

// Polls until the condition holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kStartTimeoutMs, DWORD stepMs = 20);

// The file's bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Tarnwick.exe, ntlauncher.exe and keyhook.dll copied into a fresh folder of their
// own, so that each test has its own keyset.ini; the folder goes with the object.
class ProgramInstall {
public:
    explicit ProgramInstall(const std::string& name);
    // The programs in a folder of that name ("Тарнвик") inside the fresh one: where a
    // user may keep them, a path the program has to cope with.
    ProgramInstall(const std::string& name, const std::string& folderName);
    ~ProgramInstall();
    ProgramInstall(const ProgramInstall&) = delete;
    ProgramInstall& operator=(const ProgramInstall&) = delete;

    const std::string& Folder() const { return m_folder; }
    std::string Path(const std::string& file) const { return m_folder + "\\" + file; }
    void WriteFile(const std::string& file, const std::string& bytes) const;
    std::optional<std::string> ReadFile(const std::string& file) const;

private:
    std::string m_tree;     // the fresh folder, removed with everything in it
    std::string m_folder;   // the programs' folder: the tree or one inside it
};

// A started process; terminated and waited for on destruction if still running.
class Process {
public:
    Process(const std::string& exePath, const std::string& folder);
    // The same with arguments, each passed in double quotes (none may hold one).
    Process(const std::string& exePath, const std::string& folder, const std::vector<std::string>& arguments);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return m_info.dwProcessId; }
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;
    void Terminate();

private:
    PROCESS_INFORMATION m_info{};
};

// The main dialog ("#32770" titled "Tarnwick") of a process; 0 for any process.
HWND FindMainDialog(DWORD processId, DWORD timeoutMs = kStartTimeoutMs);
DWORD WindowProcess(HWND window);
// Ends every running instance of the program (any edition) and waits for it.
void EndAllInstances();

// True when the tray holds the icon of that owner window (asked through NIM_MODIFY,
// which succeeds exactly for an existing icon).
bool TrayIconPresent(HWND owner, UINT id = kTrayIconId);

// Makes Wine report a Windows version to one program ("win98"); nullptr removes it.
void SetWindowsVersion(const std::string& exeName, const char* version);

// Presses the keys in order and releases them in reverse order, in one SendInput.
void PressKeys(std::initializer_list<WORD> keys);
// The keys, in order, all going down (flags 0) or all coming up (KEYEVENTF_KEYUP).
void SendKeys(std::initializer_list<WORD> keys, DWORD flags);
void SendKey(WORD key, bool up);
// CTRL+ALT+key at a person's pace: a burst in one SendInput can reach the program
// before it has seen CTRL and ALT go down.
void PressHotkey(WORD key);
// Types the text at a person's pace, each UTF-16 unit of it pressed and released as
// a character of its own (KEYEVENTF_UNICODE), as an input method types it: any
// language, whatever the keyboard layout.
void TypeText(const std::string& utf8);
// The keys in one burst (as PressKeys), once the desktop has settled: Wine's X11
// driver puts the modifiers back to the X server's state (none pressed) when the focus
// moves, which would undo a CTRL or ALT sent right after a window came to the front.
void PressChord(std::initializer_list<WORD> keys);

// Moves the mouse to the screen point with SendInput, with the button flags given
// (0: a move only), and gives the input a moment to arrive.
void SendMouse(int x, int y, DWORD flags);
// Moves the mouse to the screen point and clicks there with SendInput.
void ClickAt(int x, int y, bool rightButton = false);
// Two clicks there within the double-click time, as one double click.
void DoubleClickAt(int x, int y);
// Clicks the middle of the window.
void ClickOn(HWND window, bool rightButton = false);
// Presses the left button at one point, moves to the other in steps, releases there.
void DragFromTo(POINT from, POINT to);

// The visible popup menu ("#32768"), if one is open.
HWND FindPopupMenu(DWORD timeoutMs = 3000);

}  // namespace wt
