#include "app/MainDlg.h"
#include "app/HookMessage.h"
#include "app/WindowMessages.h"
#include "framework/AnsiCodePage.h"
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/ModulePath.h"
#include "framework/SystemError.h"
#include "framework/UniqueHandle.h"
#include "print/HelpLauncher.h"
#include "print/Printout.h"
#include "res/resource.h"
#include "store/SettingsPath.h"
#include <wtsapi32.h>

namespace {
constexpr char kTrayTip[] = "Tarnwick";
constexpr char kUnacceptedQuestion[] = "Exit without accepting new settings?";
constexpr char kWarningCaption[] = "Warning";

std::vector<PrintRow> PrintRowsOf(const std::vector<SettingsRow>& rows)
{
    std::vector<PrintRow> printed;
    for (const SettingsRow& row : rows)
        printed.push_back({row.key, row.payload});
    return printed;
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What a settings file held that a save does not write back, for the user: "1 section
// header without its "]", 4952 lines that repeat a key of their section".
std::string LossesText(const SettingsLosses& losses)
{
    const struct {
        std::size_t count;
        const char* one;
        const char* many;
    } phrases[] = {
        {losses.unreadableBytes, "byte that is no character", "bytes that are no characters"},
        {losses.unclosedHeaders, "section header without its \"]\"", "section headers without their \"]\""},
        {losses.linesOutsideSections, "line outside the paths, contents and graphics sections",
         "lines outside the paths, contents and graphics sections"},
        {losses.textAfterHeaders, "section header with text after it", "section headers with text after them"},
        {losses.entriesSavedAsHeaders, "key that would be saved as a section header",
         "keys that would be saved as section headers"},
        {losses.linesWithNul, "line with a NUL character", "lines with a NUL character"},
        {losses.repeatedKeys, "line that repeats a key of its section", "lines that repeat a key of their section"},
    };
    std::string text = losses.unmappableCharacters ? "characters that the system's code page does not have" : "";
    for (const auto& phrase : phrases) {
        if (phrase.count == 0)
            continue;
        text += (text.empty() ? "" : ", ") + std::to_string(phrase.count) + " " + (phrase.count == 1 ? phrase.one : phrase.many);
    }
    return text;
}

// A copy that reached the disk before the file it keeps is replaced.
bool CopyToDisk(const std::string& from, const std::string& to)
{
    if (!::CopyFileA(from.c_str(), to.c_str(), TRUE))
        return false;
    FileHandle copy(::CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return copy && ::FlushFileBuffers(copy.get());
}

// Copies the file to the first free name beside it (keyset.ini.bak, .bak1, ...),
// never over an earlier copy. The copy's name; nullopt, with the system's reason,
// when none could be made.
std::optional<std::string> KeepCopyOf(const std::string& path, std::string& reason)
{
    std::string tried;
    while (const std::optional<std::string> name = BackupPathFor(path, FileExists)) {
        // A name that still looks free after the copy found it taken is not tried again.
        if (*name == tried)
            break;
        if (CopyToDisk(path, *name))
            return name;
        const DWORD error = ::GetLastError();
        // Another program took the name meanwhile: the next one.
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            reason = SystemErrorText(error);
            return std::nullopt;
        }
        tried = *name;
    }
    reason = "Every name for a copy beside it is taken.";
    return std::nullopt;
}
}

CMainDlg::CMainDlg()
    : Dialog(IDD_MAIN),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN))),
      m_nTaskbarCreatedMsg(::RegisterWindowMessageA("TaskbarCreated"))
{
}

CMainDlg::~CMainDlg()
{
    m_hook.Remove();
    ::WTSUnRegisterSessionNotification(hwnd());
    m_trayIcon.RemoveTrayIcon();
    // Destroy the window while this object is whole: the list still answers the
    // requests for its rows' texts that the destruction may send.
    DestroyModeless();
}

bool CMainDlg::Create() { return CreateModeless(nullptr); }

bool CMainDlg::OnInitDialog()
{
    m_list.Attach();
    m_dispatcher.Attach(hwnd());
    Dialog::OnInitDialog();

    m_strIniPath = SettingsPathForExecutable(ExecutablePath());
    m_list.InsertColumns();
    if (LoadShortcuts()) {
        m_list.Fill(m_shortcuts);
        m_hook.Install(hwnd());
    } else {
        m_bShown = true;
    }
    ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    // Without an icon a hidden window could never be brought back.
    if (!m_trayIcon.CreateTrayIcon(hwnd(), kTrayNotifyMessage, kTrayTip, m_hIcon, IDR_TRAYMENU))
        m_bShown = true;

    ::WTSRegisterSessionNotification(hwnd(), NOTIFY_FOR_THIS_SESSION);

    m_list.RemoveUsedKeysFromCombo();
    m_list.SelectFirstKey();
    m_stScreenCapture.Attach(Item(IDC_SCREEN_CAPTURE));
    m_stCaptureKeys.Attach(Item(IDC_CAPTURE_KEYS));
    m_stHotkeyNote.Attach(Item(IDC_HOTKEY_NOTE));
    m_form.Start();
    return false;   // the form has set the focus
}

// Enter must not end anything: the dialog is the whole program.
void CMainDlg::OnOK() {}

// Escape and a close request from outside put the dialog back in the tray; the list
// keeps its edits until they are saved or the program ends.
void CMainDlg::OnCancel() { HideToTray(); }

std::optional<LRESULT> CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam) ? std::optional<LRESULT>(0) : std::nullopt;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case kTrayNotifyMessage:
        return OnTrayNotify(lParam);
    case WM_WTSSESSION_CHANGE:
        return OnSessionChange(wParam);
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(wParam);
    case kDestroyCaptureMessage:
    case kDestroyCaptureMessageToo:
        return m_dispatcher.OnDestroyCaptureWnd();
    }
    if (message == g_hookKeyDownMsg)
        return m_dispatcher.OnHookKeyDown(wParam, lParam, m_shortcuts);
    if (message == m_nTaskbarCreatedMsg) {
        OnTaskbarCreated();
        return 0;
    }
    return std::nullopt;
}

// The editor's commands are its parts' own.
std::optional<LRESULT> CMainDlg::OnCommand(WORD id)
{
    switch (id) {
    case ID_TRAY_OPEN:
        OnTrayOpen();
        return 0;
    case ID_TRAY_EXIT:
        OnTrayExit();
        return 0;
    case IDC_PRINT:
        Printout([this] { return PrintRowsOf(m_list.SettingsRows()); }).PrintShortcuts();
        return 0;
    case IDC_HELP_BUTTON:
        OpenHelpFile(hwnd());
        return 0;
    case IDC_SAVE:
        SaveSettings();
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> CMainDlg::OnPaint()
{
    // A modeless dialog always shows itself once: its first paint sends it to the tray.
    if (!m_bShown)
        ::ShowWindow(hwnd(), SW_HIDE);
    return std::nullopt;
}

bool CMainDlg::OnSysCommand(WPARAM command)
{
    if ((command & 0xFFF0) != SC_CLOSE)
        return false;
    if (SaveSettings())
        HideToTray();
    return true;
}

LRESULT CMainDlg::OnTrayNotify(LPARAM mouseMessage)
{
    if (mouseMessage != WM_RBUTTONDOWN)
        return 0;
    MenuHandle menu(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYMENU)));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without being the foreground window the menu would not close when the user
    // clicks elsewhere.
    ::SetForegroundWindow(hwnd());
    ::TrackPopupMenu(::GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
    ::PostMessageA(hwnd(), WM_NULL, 0, 0);
    return 0;
}

void CMainDlg::OnTrayOpen()
{
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    m_form.OnShow();
    m_bShown = true;
}

void CMainDlg::OnTrayExit() { ::PostQuitMessage(0); }

void CMainDlg::OnTaskbarCreated() { m_trayIcon.RestoreTrayIcon(); }

// Keys let go while the session was locked never reached the hook: a CTRL held at the
// lock would stay down for it and turn ALT+key into CTRL+ALT+key.
LRESULT CMainDlg::OnSessionChange(WPARAM event)
{
    if (event == WTS_SESSION_UNLOCK)
        m_hook.Restart();
    return 0;
}

// The same for keys let go while the machine slept; hooks are also known to go quiet
// after a resume.
std::optional<LRESULT> CMainDlg::OnPowerBroadcast(WPARAM event)
{
    if (event == PBT_APMRESUMEAUTOMATIC)
        m_hook.Restart();
    return std::nullopt;
}

bool CMainDlg::LoadShortcuts()
{
    const SettingsLoad load = ::LoadShortcuts(ReadWholeFile(m_strIniPath), AnsiCodePage(), m_shortcuts);
    // The load after a save reads the program's own file, which keeps everything.
    m_settingsLosses = load.losses;
    return load.loaded;
}

bool CMainDlg::SaveSettings()
{
    UpdateData(true);
    if (m_form.HoldsUnacceptedInput() &&
        ::MessageBoxA(hwnd(), kUnacceptedQuestion, kWarningCaption, MB_YESNO) == IDNO)
        return true;

    // The file holds what the save does not write back: the file as it is stays
    // beside it, or nothing is saved over it.
    std::string reason;
    std::string keptNotice;
    if (m_settingsLosses.Any() && FileExists(m_strIniPath)) {
        const std::string what = "what the save does not write back (" + LossesText(m_settingsLosses) + ")";
        const std::optional<std::string> copy = KeepCopyOf(m_strIniPath, reason);
        if (!copy) {
            ShowMessage(hwnd(), "The shortcuts were not saved: \"" + m_strIniPath + "\" holds " + what +
                                    ", and no copy of it could be kept beside it.\r\n" + reason);
            return false;
        }
        keptNotice = "The shortcuts are saved. \"" + m_strIniPath + "\" held " + what +
                     "; the file as it was is kept as \"" + *copy + "\".";
    }

    // Written beside the old file and put in its place in one step: a failure
    // leaves the old file, and with it the running shortcuts, as they were.
    if (!ReplaceFileContents(m_strIniPath, SettingsFileBytes(m_list.SettingsRows()), reason)) {
        ShowMessage(hwnd(), "The shortcuts could not be saved to \"" + m_strIniPath + "\".\r\n" + reason);
        return false;
    }
    m_hook.Remove();
    if (LoadShortcuts())
        m_hook.Install(hwnd());
    if (!keptNotice.empty())
        ShowMessage(hwnd(), keptNotice);
    HideToTray();
    return true;
}

void CMainDlg::HideToTray()
{
    ::ShowWindow(hwnd(), SW_HIDE);
    m_bShown = false;
}
