#pragma once
// Drives what turns the edited list into running shortcuts: the OK button and the
// close box, the edit dialog, pictures pasted into either image box, and the hotkeys
// pressed afterwards.
#include "tests/wine/EditorDriver.h"
#include <cstdint>
#include <vector>

namespace wt {

constexpr int kSaveButton = 1025;
constexpr int kNotifyText = 1003;
constexpr UINT kTrayExitCommand = 32779;
constexpr char kMarker[] = "untouched";

// A 3 x 2 picture whose pixels (0x00RRGGBB, top row first) tell rows and columns apart.
inline const std::vector<COLORREF>& TestPicturePixels()
{
    static const std::vector<COLORREF> pixels = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};
    return pixels;
}
constexpr int kPictureWidth = 3;
constexpr int kPictureHeight = 2;

inline void PutTestPictureOnClipboard()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kPictureWidth;
    info.bmiHeader.biHeight = -kPictureHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kPictureWidth, kPictureHeight);
    ::SetDIBits(screen, bitmap, 0, kPictureHeight, TestPicturePixels().data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, bitmap);
    ::CloseClipboard();
}

inline void PutMarkerOnClipboard()
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(kMarker));
    memcpy(::GlobalLock(block), kMarker, sizeof(kMarker));
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
}

// The clipboard's picture as 0x00RRGGBB pixels, top row first; empty when it holds none.
inline std::vector<COLORREF> ClipboardPixels(int& width, int& height)
{
    std::vector<COLORREF> pixels;
    width = height = 0;
    if (!::OpenClipboard(nullptr))
        return pixels;
    if (HBITMAP bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        BITMAP shape{};
        ::GetObjectA(bitmap, sizeof(shape), &shape);
        width = shape.bmWidth;
        height = shape.bmHeight;
        pixels.resize(static_cast<size_t>(width * height));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        for (COLORREF& pixel : pixels)
            pixel &= 0xFFFFFF;
    }
    ::CloseClipboard();
    return pixels;
}

inline void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

// CTRL+ALT+key at a person's pace: a burst in one SendInput can reach the program
// before it has seen CTRL and ALT go down.
inline void PressHotkey(WORD key)
{
    for (WORD down : {WORD(VK_CONTROL), WORD(VK_MENU), key}) {
        SendKey(down, false);
        ::Sleep(30);
    }
    for (WORD up : {key, WORD(VK_MENU), WORD(VK_CONTROL)})
        SendKey(up, true);
}

class SaveAndEditTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        PutMarkerOnClipboard();
    }

    // Ends the program by the tray's Exit and starts it again on the file it saved.
    void Restart()
    {
        ::PostMessageA(m_dialog, WM_COMMAND, kTrayExitCommand, 0);
        ASSERT_TRUE(m_program->WaitForExit(kStartTimeoutMs)) << "Exit did not end the program";
        m_program = std::make_unique<Process>(m_install.Path("ntlauncher.exe"), m_install.Folder());
        m_dialog = FindMainDialog(m_program->Id());
        ASSERT_NE(m_dialog, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsChecked(kPathRadio); }));
    }
    void OpenFromTray()
    {
        ::PostMessageA(m_dialog, WM_COMMAND, kTrayOpenCommand, 0);
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_dialog) != FALSE; }));
        Settle();
    }
    bool Shown() const { return ::IsWindowVisible(m_dialog) != FALSE; }

    struct Question {
        std::string text;
        std::string caption;
    };
    // Runs the action; a message box it brings up is read and answered with `answer`.
    std::optional<Question> Answer(const std::function<void()>& action, int answer, HWND besides = nullptr)
    {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            action();
            done = true;
        });
        HWND box = nullptr;
        WaitUntil([&] {
            box = FindProcessDialog(m_program->Id(), m_dialog, [besides](HWND w) {
                return w != besides && ::GetDlgItem(w, kMessageBoxText) != nullptr;
            });
            return done || box;
        });
        std::optional<Question> question;
        if (box && !done) {
            question = Question{WindowText(::GetDlgItem(box, kMessageBoxText)), WindowText(box)};
            ::PostMessageA(box, WM_COMMAND, answer, 0);
        }
        worker.join();
        Settle();
        return question;
    }
    std::optional<Question> PressSave(int answer = IDOK)
    {
        HWND button = Control(kSaveButton);
        return Answer([button] { ::SendMessageA(button, BM_CLICK, 0, 0); }, answer);
    }
    std::optional<Question> PressCloseBox(int answer = IDOK)
    {
        HWND dialog = m_dialog;
        return Answer([dialog] { ::SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, answer);
    }

    // Clicks into the image box, pastes with Ctrl+V and names the picture's place in
    // the save dialog that follows.
    void PastePicture(HWND imageBox, const std::string& location)
    {
        PutTestPictureOnClipboard();
        RECT box{};
        ::GetWindowRect(imageBox, &box);
        ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        PressKeys({VK_CONTROL, 'V'});
        HWND save = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            save = FindProcessDialog(m_program->Id(), m_dialog,
                                     [](HWND w) { return WindowText(w) == "select file to save the bitmap"; });
            return save != nullptr;
        })) << "no save dialog";
        HWND name = ::FindWindowExA(::FindWindowExA(::GetDlgItem(save, 1148), nullptr, "ComboBox", nullptr),
                                    nullptr, "Edit", nullptr);
        ASSERT_NE(name, nullptr);
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(location.c_str()));
        ::PostMessageA(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(save, IDOK)));
        // Choosing an existing file asks before it is overwritten: yes.
        ASSERT_TRUE(WaitUntil([&] {
            HWND ask = FindProcessDialog(m_program->Id(), m_dialog,
                                         [](HWND w) { return ::GetDlgItem(w, kMessageBoxText) != nullptr; });
            if (ask)
                ::PostMessageA(ask, WM_COMMAND, IDYES, 0);
            return TextOf(imageBox) == "Image Accepted.";
        })) << TextOf(imageBox);
    }

    static std::string TextOf(HWND control)
    {
        std::string text(static_cast<size_t>(::SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(
            ::SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }

    std::string Settings() const { return m_install.ReadFile("keyset.ini").value_or("(no file)"); }
};

}  // namespace wt
