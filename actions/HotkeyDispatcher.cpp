#include "actions/HotkeyDispatcher.h"
#include "actions/CaptureWnd.h"
#include "actions/NotifyDlg.h"
#include "actions/PathPreparation.h"
#include "pictures/BitmapFile.h"
#include "res/MessageTexts.h"
#include "framework/ClipboardHandOff.h"
#include "framework/DeviceContext.h"
#include "framework/Foreground.h"
#include "framework/MessageBox.h"
#include "framework/Shell.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"
#include "keyhook/KeyHook.h"
#include "store/ShortcutKind.h"
#include "store/Utf8Text.h"
#include <shellapi.h>
#include <cstring>

namespace {

constexpr wchar_t kCaptureTitle[] = L"Target";
// The numeric pad's digits lie this far above the digit row's.
constexpr WPARAM kNumpadToDigit = VK_NUMPAD0 - '0';

bool IsDown(int virtualKey) { return ::GetKeyState(virtualKey) < 0; }

struct Modifiers {
    bool shift, ctrl, alt;
};

// What the hook saw when the key went down; a sender that reports no modifiers is
// answered from this thread's keyboard state instead.
Modifiers ModifiersOf(LPARAM report)
{
    if (report & kKeyHookModifiersReported)
        return {(report & kKeyHookShiftDown) != 0, (report & kKeyHookCtrlDown) != 0, (report & kKeyHookAltDown) != 0};
    return {IsDown(VK_SHIFT), IsDown(VK_CONTROL), IsDown(VK_MENU)};
}


bool Matches(const Shortcut& shortcut, WPARAM key, bool shift, bool ctrl, bool alt)
{
    return static_cast<WPARAM>(shortcut.keyCode) == key && (shortcut.shift != 0) == shift &&
           (shortcut.ctrl != 0) == ctrl && (shortcut.alt != 0) == alt;
}

} // namespace

HotkeyDispatcher::HotkeyDispatcher() = default;
HotkeyDispatcher::~HotkeyDispatcher() = default;

LRESULT HotkeyDispatcher::OnHookKeyDown(WPARAM key, LPARAM modifiers, const ShortcutTable& table)
{
    const auto [shift, ctrl, alt] = ModifiersOf(modifiers);
    // Whatever the shortcut shows, the keyboard goes back here afterwards.
    const HWND inFront = ::GetForegroundWindow();
    if (key == VK_SNAPSHOT && ctrl && alt) {
        OnCaptureKey(inFront);
        return 1;
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        key -= kNumpadToDigit;
    // By index and with a copy of the record: a popup's modal loop can run a save that
    // rebuilds the table before the walk goes on.
    for (size_t i = 0; i < table.size(); ++i) {
        if (!Matches(table[i], key, shift, ctrl, alt))
            continue;
        const Shortcut shortcut = table[i];
        if (RunShortcut(shortcut, inFront) == Walk::End)
            break;
    }
    return 1;
}

LRESULT HotkeyDispatcher::OnDestroyCaptureWnd()
{
    m_pCaptureWnd.reset();
    return 1;
}

void HotkeyDispatcher::OnCaptureKey(HWND inFront)
{
    // The old window goes first: two capture windows must never exist at once.
    m_pCaptureWnd.reset();
    m_pCaptureWnd = std::make_unique<CCaptureWnd>(m_popup, inFront);
    if (!m_pCaptureWnd->CreateCaptureWindow(kCaptureTitle, m_owner))
        return;
    ::ShowWindow(m_pCaptureWnd->hwnd(), SW_SHOWNORMAL);
    ::BringWindowToTop(m_pCaptureWnd->hwnd());
    // Escape cancels the capture: the keyboard must come to the capture window, also
    // from the program that was in front when the key was pressed.
    ::SetForegroundWindow(m_pCaptureWnd->hwnd());
}

HotkeyDispatcher::Walk HotkeyDispatcher::RunShortcut(const Shortcut& shortcut, HWND inFront)
{
    switch (shortcut.kind) {
    case ShortcutKind::Path:
        return OpenPath(shortcut.payload, inFront);
    case ShortcutKind::Text:
        return LoadText(shortcut.payload, inFront);
    case ShortcutKind::Graphic:
        return LoadPicture(shortcut.payload, inFront);
    }
    // A record of no kind is never loaded; were there one, it would do nothing.
    return Walk::GoOn;
}

HotkeyDispatcher::Walk HotkeyDispatcher::OpenPath(const std::string& payload, HWND inFront)
{
    const std::string path = PreparePath(payload);
    if (Utf16Length(path) > kMaxPathChars) {
        Tell(kPathTooLong, inFront);
        return Walk::GoOn;
    }
    if (inFront) {
        switch (m_navigator.NavigateFileDialog(inFront, path)) {
        case FileDialogNavigator::Delivery::Delivered:
            return Walk::End;
        case FileDialogNavigator::Delivery::MissingFolder:
            Tell(Filled(kFolderMissing, {FolderOf(path)}), inFront);
            return Walk::End;
        case FileDialogNavigator::Delivery::NotTaken:
            break;
        }
    }
    if (!OpenWithShell(path))
        Tell(kPathTooLong, inFront);
    return Walk::GoOn;
}

HotkeyDispatcher::Walk HotkeyDispatcher::LoadText(const std::string& text, HWND inFront)
{
    // Allocated before the clipboard is opened, so a failure leaves its content alone.
    // As Unicode text: the system makes the 8-bit text for older programs from it, in
    // their own code page, rather than guessing one from the keyboard layout.
    const std::wstring unicode = Wide(text);
    const size_t bytes = (unicode.size() + 1) * sizeof(wchar_t);
    GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block) {
        Tell(kCantCopyToClipboard, inFront);
        return Walk::End;
    }
    std::memcpy(::GlobalLock(block.get()), unicode.c_str(), bytes);
    ::GlobalUnlock(block.get());
    if (!HandToClipboard(CF_UNICODETEXT, block.get(), inFront))
        return Walk::End;
    block.detach();
    m_popup.Show(kTextLoaded);
    return Walk::GoOn;
}

HotkeyDispatcher::Walk HotkeyDispatcher::LoadPicture(const std::string& file, HWND inFront)
{
    const Bitmap loaded = LoadBitmapFile(file);
    BITMAP size{};
    if (!loaded || !::GetObjectW(loaded.get(), sizeof(size), &size)) {
        Tell(Filled(kCantLoadBitmap, {file}), inFront);
        return Walk::End;
    }

    // The clipboard gets a device-dependent copy: a DIB section would tie it to the file.
    ClientDC client(m_owner);
    Bitmap copy(::CreateCompatibleBitmap(client.get(), size.bmWidth, size.bmHeight));
    bool copied = false;
    if (copy) {
        OwnedDC source = OwnedDC::CompatibleWith(client.get());
        OwnedDC target = OwnedDC::CompatibleWith(client.get());
        SelectedObject fromFile(source.get(), loaded.get());
        SelectedObject intoCopy(target.get(), copy.get());
        copied = ::BitBlt(target.get(), 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY) != FALSE;
    }
    // A picture this large can be loaded and still find no memory for its copy.
    if (!copied) {
        Tell(Filled(kPictureTooLarge, {file}), inFront);
        return Walk::End;
    }
    if (!HandToClipboard(CF_BITMAP, copy.get(), inFront))
        return Walk::End;
    copy.detach();
    m_popup.Show(kImageLoaded);
    return Walk::End;
}

bool HotkeyDispatcher::HandToClipboard(UINT format, HANDLE data, HWND inFront)
{
    // The clipboard is closed again before the message box: its modal loop may run
    // another hotkey.
    switch (GiveToClipboard(m_owner, format, data)) {
    case ClipboardHandOff::Taken: return true;
    case ClipboardHandOff::NotOpened: Tell(kCantOpenClipboard, inFront); break;
    case ClipboardHandOff::NotEmptied: Tell(kCantEmptyClipboard, inFront); break;
    case ClipboardHandOff::NotTaken: Tell(kCantCopyToClipboard, inFront); break;
    }
    return false;
}

// The box takes the keyboard for its answer: the user must be able to press Enter.
// It has no owner, since no window of ours is in sight, and once it is answered the
// keyboard goes back to where the user was.
void HotkeyDispatcher::Tell(const std::string& text, HWND inFront)
{
    ShowMessage(nullptr, text, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
    GiveForegroundBack(inFront);
}
