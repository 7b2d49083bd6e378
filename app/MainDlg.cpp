#include "app/MainDlg.h"
#include "app/HookMessage.h"
#include "app/WindowMessages.h"
#include "framework/Foreground.h"
#include "framework/MessageBox.h"
#include "framework/ModulePath.h"
#include "framework/UniqueHandle.h"
#include "print/HelpLauncher.h"
#include "print/Printout.h"
#include "res/MessageTexts.h"
#include "res/resource.h"
#include "store/SettingsPath.h"
#include <wtsapi32.h>

namespace {
constexpr char kTrayTip[] = "Tarnwick";
// A program that saves the file changes the folder several times in a row, and may
// hold the file a moment: the file is read again once the folder has been quiet this long.
constexpr UINT_PTR kFollowSettingsTimer = 1;
constexpr UINT kFollowSettingsDelayMs = 300;
// A file that stays unreadable this many reads in a row is worth a word.
constexpr int kUnreadableReadsBeforeWord = 5;

// The icon drawn for the size the system asks for (the tray's is 16, 20 or 24 pixels,
// by the scale), rather than another size scaled, which blurs.
Icon LoadProgramIcon(int widthMetric, int heightMetric)
{
    return Icon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                                ::GetSystemMetrics(widthMetric), ::GetSystemMetrics(heightMetric),
                                                LR_DEFAULTCOLOR)));
}

std::vector<PrintRow> PrintRowsOf(const std::vector<Shortcut>& rows)
{
    std::vector<PrintRow> printed;
    for (const Shortcut& row : rows)
        printed.push_back({row.keyName, row.payload});
    return printed;
}
}

CMainDlg::CMainDlg()
    : Dialog(IDD_MAIN),
      m_iconLarge(LoadProgramIcon(SM_CXICON, SM_CYICON)),
      m_iconSmall(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON)),
      m_settings(SettingsPathForExecutable(ExecutablePath())),
      m_nTaskbarCreatedMsg(::RegisterWindowMessageW(L"TaskbarCreated"))
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
    RememberWindowInFront();
    m_list.Attach();
    m_form.Start();
    m_dispatcher.Attach(hwnd());
    Dialog::OnInitDialog();

    const SettingsFile::LoadResult load = m_settings.Load(m_shortcuts);
    if (load.shortcuts) {
        m_model.Load(m_shortcuts);
        InstallHook();
    } else {
        m_bShown = true;
    }
    if (!load.problem.empty()) {
        m_settingsProblem = load.problem;
        ::PostMessageW(hwnd(), kSettingsUnreadableMessage, 0, 0);
    }
    m_settingsWatch.Start(FolderOfFile(m_settings.Path()), hwnd(), kSettingsFolderChangedMessage);
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_iconLarge.get()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_iconSmall.get()));
    // Without an icon a hidden window could never be brought back.
    if (!m_trayIcon.CreateTrayIcon(hwnd(), kTrayNotifyMessage, kTrayTip, m_iconSmall.get(), IDR_TRAYMENU))
        m_bShown = true;

    ::WTSRegisterSessionNotification(hwnd(), NOTIFY_FOR_THIS_SESSION);

    m_stScreenCapture.Attach(Item(IDC_SCREEN_CAPTURE));
    m_stCaptureKeys.Attach(Item(IDC_CAPTURE_KEYS));
    m_stHotkeyNote.Attach(Item(IDC_HOTKEY_NOTE));
    return false;   // the form has set the focus
}

// Enter must not end anything: the dialog is the whole program.
void CMainDlg::OnOK() {}

// Escape and a close request from outside put the dialog back in the tray; the list
// keeps its edits until they are saved or the program ends.
void CMainDlg::OnCancel() { HideToTray(); }

std::optional<LRESULT> CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsEditorCommandWhileEditing(message, wParam))
        return 0;
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam) ? std::optional<LRESULT>(0) : std::nullopt;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_iconLarge.get());
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case kTrayNotifyMessage:
        return OnTrayNotify(lParam);
    case WM_WTSSESSION_CHANGE:
        return OnSessionChange(wParam);
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(wParam);
    case kSettingsFolderChangedMessage:
        ::SetTimer(hwnd(), kFollowSettingsTimer, kFollowSettingsDelayMs, nullptr);
        return 0;
    case kSettingsUnreadableMessage:
        ShowMessage(hwnd(), m_settingsProblem, MB_OK | MB_ICONERROR);
        return 0;
    case WM_TIMER:
        if (wParam != kFollowSettingsTimer)
            return std::nullopt;
        FollowSettingsFile();
        return 0;
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
        Printout([this] { return PrintRowsOf(m_model.Shortcuts()); }).PrintShortcuts();
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
    if (!m_bShown && ::IsWindowVisible(hwnd()))
        HideToTray();
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
    RememberWindowInFront();
    MenuHandle menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAYMENU)));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without being the foreground window the menu would not close when the user
    // clicks elsewhere.
    ::SetForegroundWindow(hwnd());
    HMENU items = ::GetSubMenu(menu.get(), 0);
    // Open is what the user most likely came for.
    ::SetMenuDefaultItem(items, ID_TRAY_OPEN, FALSE);
    ::TrackPopupMenu(items, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
    return 0;
}

void CMainDlg::OnTrayOpen()
{
    RememberWindowInFront();
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

// A message from another program, or a hotkey's message box, can reach the dialog
// while its edit dialog runs: a row deleted or added meanwhile would leave the edit
// nothing to hand its result to. (The list's own clicks wait in the list.)
bool CMainDlg::IsEditorCommandWhileEditing(UINT message, WPARAM wParam) const
{
    if (!m_list.IsEditing())
        return false;
    switch (message) {
    case WM_COMMAND:
        // The dialog's controls; the tray menu's commands still work.
        return LOWORD(wParam) != ID_TRAY_OPEN && LOWORD(wParam) != ID_TRAY_EXIT;
    case WM_SYSCOMMAND:
        return (wParam & 0xFFF0) == SC_CLOSE;
    }
    return false;
}

// The hook keeps the keys of the live table's shortcuts from the program in front.
void CMainDlg::InstallHook()
{
    m_hook.BindKeys(m_shortcuts);
    m_hook.Install(hwnd());
}

void CMainDlg::ReloadShortcuts()
{
    m_hook.Remove();
    if (m_settings.Load(m_shortcuts).shortcuts)
        InstallHook();
}

// While the dialog is away and the list holds no edits of its own, the list follows the
// file too; otherwise the next save finds the file changed and keeps it first.
void CMainDlg::FollowSettingsFile()
{
    const bool listFollows = !m_bShown && !m_model.HasEdits();
    std::string problem;
    if (m_settings.Follow(m_shortcuts, listFollows, problem)) {
        ::KillTimer(hwnd(), kFollowSettingsTimer);
        m_unreadableReads = 0;
        m_hook.Remove();
        if (!m_shortcuts.empty())
            InstallHook();
        if (listFollows)
            m_model.Load(m_shortcuts);
        return;
    }
    if (problem.empty() || ++m_unreadableReads < kUnreadableReadsBeforeWord) {
        // Not readable yet: the timer asks again.
        if (problem.empty())
            ::KillTimer(hwnd(), kFollowSettingsTimer);
        return;
    }
    ::KillTimer(hwnd(), kFollowSettingsTimer);
    m_unreadableReads = 0;
    ShowMessage(nullptr, problem, MB_OK | MB_ICONWARNING);
}

// The file could not be read when the list began, so nothing may be written over it
// unseen: it is read first. Readable now, its shortcuts are listed, and the user's rows
// join them on the keys still free; nothing is saved until the user says so again.
bool CMainDlg::ReadUnreadableSettingsFirst()
{
    const std::vector<Shortcut> typed = m_model.Shortcuts();
    m_hook.Remove();
    const SettingsFile::LoadResult load = m_settings.Load(m_shortcuts);
    if (!load.problem.empty()) {
        ShowMessage(hwnd(), Filled(kSettingsStillUnreadable, {m_settings.Path(), load.reason}), MB_OK | MB_ICONERROR);
        return false;
    }
    if (load.shortcuts)
        InstallHook();
    m_model.Load(m_shortcuts);
    std::string notAdded;
    for (const Shortcut& row : typed) {
        if (!m_model.Accept(row.keyName, row.kind, row.payload))
            notAdded += (notAdded.empty() ? "" : ", ") + row.keyName;
    }
    std::string text = Filled(kSettingsReadableAgain, {m_settings.Path()});
    if (!notAdded.empty())
        text += "\r\n" + Filled(kSettingsKeysTaken, {notAdded});
    ShowMessage(hwnd(), text, MB_OK | MB_ICONINFORMATION);
    return false;
}

bool CMainDlg::SaveSettings()
{
    UpdateData(true);
    if (m_form.HoldsUnacceptedInput() &&
        ShowMessage(hwnd(), kUnacceptedQuestion, MB_YESNO | MB_ICONWARNING) == IDNO)
        return true;

    if (m_settings.IsUnreadable())
        return ReadUnreadableSettingsFirst();
    const SettingsFile::SaveResult result = m_settings.Save(m_model.Shortcuts());
    if (!result.saved) {
        ShowMessage(hwnd(), result.message, MB_OK | MB_ICONERROR);
        return false;
    }
    ReloadShortcuts();
    if (!result.message.empty())
        ShowMessage(hwnd(), result.message, MB_OK | MB_ICONINFORMATION);
    HideToTray();
    return true;
}

void CMainDlg::RememberWindowInFront()
{
    if (HWND other = ForegroundOfOtherProgram())
        m_hwndBeforeOpen = other;
}

// A hidden window must not keep the keyboard: it goes back to where the user was
// before the dialog came up from the tray.
void CMainDlg::HideToTray()
{
    const bool hadKeyboard = ::GetForegroundWindow() == hwnd();
    ::ShowWindow(hwnd(), SW_HIDE);
    m_bShown = false;
    if (hadKeyboard || !ForegroundOfOtherProgram())
        GiveForegroundBack(m_hwndBeforeOpen);
}
