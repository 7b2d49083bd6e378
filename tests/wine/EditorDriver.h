#pragma once
// Drives the main dialog's editor (entry form and shortcut list) as a user would:
// buttons and radios clicked, keys picked in the combo, rows clicked with the mouse,
// message boxes read and answered.
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/TestSupport.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace wt {

constexpr UINT kTrayOpenCommand = 32784;
constexpr int kMessageBoxText = 0xFFFF;

enum EditorControl : int {
    kKeyCombo = 1017,
    kPathBox = 1019,
    kFolderBrowse = 1020,
    kAccept = 1021,
    kShortcutList = 1022,
    kEditButton = 1023,
    kDeleteButton = 1024,
    kPathRadio = 1027,
    kTextRadio = 1028,
    kTextBox = 1029,
    kFileBrowse = 1031,
    kGraphicRadio = 1032,
    kImageBox = 1033,
    kSaveBitmap = 1034,
    kEmail = 1009,
};

// The first visible top-level dialog of the process that passes the test, other than
// the main dialog.
inline HWND FindProcessDialog(DWORD processId, HWND mainDialog, const std::function<bool(HWND)>& matches)
{
    struct Search {
        DWORD processId;
        HWND mainDialog;
        const std::function<bool(HWND)>* matches;
        HWND found;
    } search{processId, mainDialog, &matches, nullptr};
    ::EnumWindows([](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        char className[32] = {};
        ::GetClassNameA(window, className, sizeof(className));
        if (window == s.mainDialog || strcmp(className, "#32770") != 0 || !::IsWindowVisible(window) ||
            WindowProcess(window) != s.processId || !(*s.matches)(window))
            return TRUE;
        s.found = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { EndAllInstances(); }
    void TearDown() override
    {
        m_program.reset();
        EndAllInstances();
    }

    // Starts the NT edition with these settings and brings its dialog on screen.
    void Start(const std::string& settings = "")
    {
        ::DeleteFileA(m_install.Path("keyset.ini").c_str());
        if (!settings.empty())
            m_install.WriteFile("keyset.ini", settings);
        m_program = std::make_unique<Process>(m_install.Path("ntlauncher.exe"), m_install.Folder());
        m_dialog = FindMainDialog(m_program->Id());
        ASSERT_NE(m_dialog, nullptr);
        // The dialog's children exist before its initialisation ends with the radio.
        ASSERT_TRUE(WaitUntil([&] { return IsChecked(kPathRadio); }));
        if (!settings.empty()) {
            ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(m_dialog); }));
            ::PostMessageA(m_dialog, WM_COMMAND, kTrayOpenCommand, 0);
            ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_dialog) != FALSE; }));
        }
        ::SetForegroundWindow(m_dialog);
        Settle();
    }

    HWND Control(int id) const { return ::GetDlgItem(m_dialog, id); }
    // Returns once the dialog has handled everything it was sent or given before.
    void Settle() const
    {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }

    // Runs the action on a thread of its own; a message box that it brings up is read
    // and closed. The box's text, or nullopt when the action ended without one.
    std::optional<std::string> AnswerMessageBox(const std::function<void()>& action)
    {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            action();
            done = true;
        });
        HWND box = nullptr;
        WaitUntil([&] {
            box = FindProcessDialog(m_program->Id(), m_dialog,
                                    [](HWND w) { return ::GetDlgItem(w, kMessageBoxText) != nullptr; });
            return done || box;
        });
        std::optional<std::string> text;
        if (box && !done) {
            text = WindowText(::GetDlgItem(box, kMessageBoxText));
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        worker.join();
        return text;
    }

    // Clicks a button or radio; the text of the message box it showed, if any.
    std::optional<std::string> Click(int id)
    {
        HWND button = Control(id);
        return AnswerMessageBox([button] { ::SendMessageA(button, BM_CLICK, 0, 0); });
    }

    // Picks the key in the combo as the user would with the drop-down.
    void PickKey(const std::string& key)
    {
        std::vector<std::string> keys = Keys();
        auto it = std::find(keys.begin(), keys.end(), key);
        ASSERT_NE(it, keys.end()) << key << " is not offered";
        ::SendMessageA(Control(kKeyCombo), CB_SETCURSEL, static_cast<WPARAM>(it - keys.begin()), 0);
        ::SendMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(kKeyCombo, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Control(kKeyCombo)));
    }

    void SetText(int id, const std::string& text)
    {
        ::SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Asked by message: GetWindowText does not ask another process's controls.
    std::string Text(int id) const
    {
        HWND control = Control(id);
        std::string text(static_cast<size_t>(::SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(
            ::SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }

    // Accepts a shortcut of the kind on the key; the message shown, if any.
    std::optional<std::string> AcceptPath(const std::string& key, const std::string& path)
    {
        PickKey(key);
        Click(kPathRadio);
        SetText(kPathBox, path);
        return Click(kAccept);
    }
    std::optional<std::string> AcceptText(const std::string& key, const std::string& text)
    {
        PickKey(key);
        Click(kTextRadio);
        SetText(kTextBox, text);
        return Click(kAccept);
    }

    std::vector<ListRow> Rows() const { return ListRows(Control(kShortcutList)); }
    std::vector<std::string> RowKeys() const
    {
        std::vector<std::string> keys;
        for (const ListRow& row : Rows())
            keys.push_back(row.key);
        return keys;
    }
    std::vector<std::string> Keys() const { return ComboEntries(Control(kKeyCombo)); }
    std::string SelectedKey() const { return ComboSelection(Control(kKeyCombo)); }
    bool Offers(const std::string& key) const
    {
        std::vector<std::string> keys = Keys();
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    }

    bool IsEnabled(int id) const { return ::IsWindowEnabled(Control(id)) != FALSE; }
    bool IsChecked(int id) const { return ::SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool IsReadOnly(int id) const { return (::GetWindowLongA(Control(id), GWL_STYLE) & ES_READONLY) != 0; }
    // The hint is a child window of the path box.
    bool HintVisible() const
    {
        HWND hint = ::GetWindow(Control(kPathBox), GW_CHILD);
        return hint && ::IsWindowVisible(hint);
    }

    // A real mouse click on the row, or on the list's empty space below the rows.
    void ClickRow(int row)
    {
        RECT bounds = ListRowScreenRect(Control(kShortcutList), row);
        ClickAt(bounds.left + 10, (bounds.top + bounds.bottom) / 2);
        AfterMouse();
    }
    void ClickBelowRows()
    {
        // Just below the last row: the list's bottom edge holds its horizontal scroll bar.
        HWND list = Control(kShortcutList);
        const int last = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) - 1;
        RECT bounds = ListRowScreenRect(list, last);
        ClickAt(bounds.left + 30, bounds.bottom + (bounds.bottom - bounds.top));
        AfterMouse();
    }
    // Input reaches the program through its queue, behind any message sent meanwhile.
    void AfterMouse() const
    {
        ::Sleep(150);
        Settle();
    }

    ProgramInstall m_install{CurrentTestName()};
    std::unique_ptr<Process> m_program;
    HWND m_dialog = nullptr;
};

}  // namespace wt
