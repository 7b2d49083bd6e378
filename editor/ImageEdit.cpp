#include "editor/ImageEdit.h"
#include "pictures/BitmapFile.h"
#include "editor/FileDialogs.h"
#include "framework/Clipboard.h"
#include "framework/MessageBox.h"
#include "framework/SystemError.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"
#include "framework/WindowText.h"
#include "res/MessageTexts.h"
#include "res/resource.h"
#include <optional>

namespace {

constexpr char kAcceptedText[] = "Image Accepted.";
constexpr wchar_t kPasteItemText[] = L"&Paste Image";
constexpr wchar_t kTempPrefix[] = L"myTmpBmp";
// A fixed number gives the same name on every paste, so there is never more than one
// temporary picture.
constexpr UINT kTempNumber = 1;

std::string TempBitmapPath()
{
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t path[MAX_PATH] = {};
    if (!::GetTempPathW(MAX_PATH + 1, folder) || !::GetTempFileNameW(folder, kTempPrefix, kTempNumber, path))
        return {};
    return Utf8(path);
}

bool ClipboardHasBitmap(HWND owner)
{
    Clipboard clipboard(owner);
    return clipboard.IsOpen() && clipboard.Get(CF_BITMAP) != nullptr;
}

}  // namespace

CImageEdit::~CImageEdit() = default;

void CImageEdit::Attach(HWND edit) { Subclass(edit); }

void CImageEdit::ExchangeText(DataExchange& dx, int id, std::string& text)
{
    dx.Text(id, text);
    if (!dx.saving() && !dx.failed())
        m_bPictureTaken = text == kAcceptedText;
}

void CImageEdit::EnablePaste(bool enable)
{
    m_bPasteEnabled = enable;
    ::SendMessageW(hwnd(), EM_SETREADONLY, !enable, 0);
}

void CImageEdit::PasteImage()
{
    // Cancelling the save dialog puts the box back as it was.
    const std::string previousText = WindowText(hwnd());
    const bool previouslyTaken = m_bPictureTaken;
    if (!WriteTempBitmap())
        return;
    if (std::optional<std::string> location = AskBitmapLocation(::GetAncestor(hwnd(), GA_ROOT))) {
        ShowPictureTaken();
        m_strSavedFile = *location;
    } else {
        SetWindowTextUtf8(hwnd(), previousText);
        m_bPictureTaken = previouslyTaken;
        DeleteTempFile();
    }
}

bool CImageEdit::PlacePastedImage(HWND messageOwner)
{
    if (m_strTempFile.empty())
        return true;
    if (!::CopyFileW(Wide(m_strTempFile).c_str(), Wide(m_strSavedFile).c_str(), FALSE)) {
        const DWORD error = ::GetLastError();
        ShowMessage(messageOwner, Filled(kImageNotSaved, {m_strSavedFile, SystemErrorText(error)}), MB_OK | MB_ICONERROR);
        return false;
    }
    DeleteTempFile();
    return true;
}

void CImageEdit::DeleteTempFile()
{
    if (!m_strTempFile.empty())
        ::DeleteFileW(Wide(m_strTempFile).c_str());
    m_strTempFile.clear();
}

std::optional<LRESULT> CImageEdit::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(wParam);
    case WM_KEYUP:
        return wParam == VK_DELETE ? std::optional<LRESULT>(0) : std::nullopt;
    case WM_CHAR:
        return 0;   // the box holds a picture's name, never typed text
    case WM_CONTEXTMENU:
        OnContextMenu();
        return 0;
    case WM_PASTE:
        return OnPaste();
    }
    return std::nullopt;
}

std::optional<LRESULT> CImageEdit::OnKeyDown(WPARAM key)
{
    if (key == 'V' && m_bPasteEnabled && ::GetKeyState(VK_CONTROL) < 0)
        PasteImage();
    // Delete would change the text; the arrows and selection keys go on as usual.
    if (key == VK_DELETE)
        return 0;
    return std::nullopt;
}

void CImageEdit::OnContextMenu()
{
    if (!m_bPasteEnabled)
        return;
    ::SetFocus(hwnd());
    MenuHandle menu(::CreatePopupMenu());
    const UINT state = ClipboardHasBitmap(hwnd()) ? MF_ENABLED : MF_GRAYED;
    ::AppendMenuW(menu.get(), MF_STRING | state, ID_PASTE_IMAGE, kPasteItemText);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const UINT chosen = ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y, 0,
                                         hwnd(), nullptr);
    if (chosen == ID_PASTE_IMAGE)
        PasteImage();
}

// Pasting by message (Shift+Insert, or another program) writes the picture at once,
// whether or not pasting is on, and asks for no place: an earlier choice still holds.
LRESULT CImageEdit::OnPaste()
{
    if (WriteTempBitmap())
        ShowPictureTaken();
    return TRUE;
}

void CImageEdit::ShowPictureTaken()
{
    SetWindowTextUtf8(hwnd(), kAcceptedText);
    m_bPictureTaken = true;
}

bool CImageEdit::WriteTempBitmap()
{
    const std::string tempFile = TempBitmapPath();
    if (tempFile.empty() || !SaveClipboardBitmap(hwnd(), tempFile))
        return false;
    // The name is the same on every paste, so the new picture has replaced the old.
    if (m_strTempFile != tempFile)
        DeleteTempFile();
    m_strTempFile = tempFile;
    return true;
}
