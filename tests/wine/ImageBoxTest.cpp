// The image paste box of the entry form: pictures taken from the clipboard by Ctrl+V,
// the context menu and WM_PASTE, the .bmp files written from them, the save dialog
// that asks where to keep them, and the text that typing never changes.
#include <windows.h>
#include <commctrl.h>
#include "tests/wine/EditorDriver.h"
#include <cstdint>
#include <cstring>

using namespace wt;

namespace {

constexpr char kSaveTitle[] = "select file to save the bitmap";
constexpr char kPrompt[] = "Paste clipboard image here.";
constexpr char kAccepted[] = "Image Accepted.";
constexpr int kWidth = 3;    // 9 bytes of pixels a row at 24 bits: the rows need padding
constexpr int kHeight = 2;   // two rows show which one the file stores first

// Blue, green, red of each pixel, top row first.
const std::uint8_t kPixels[kHeight][kWidth][3] = {
    {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}, {0x70, 0x80, 0x90}},
    {{0xA0, 0xB0, 0xC0}, {0xD0, 0xE0, 0xF0}, {0x01, 0x02, 0x03}},
};

void PutPictureOnClipboard()
{
    std::uint32_t topDown[kHeight * kWidth];
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = kPixels[y][x];
            topDown[y * kWidth + x] = p[0] | p[1] << 8 | p[2] << 16;
        }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;   // top row first, as kPixels lists them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
    ::SetDIBits(screen, bitmap, 0, kHeight, topDown, &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, bitmap);
    ::CloseClipboard();
}

// The program's temporary picture: the same name in the same temporary folder.
std::string TempBitmapPath()
{
    char folder[MAX_PATH + 1] = {};
    char path[MAX_PATH] = {};
    ::GetTempPathA(sizeof(folder), folder);
    ::GetTempFileNameA(folder, "myTmpBmp", 1, path);
    return path;
}

std::optional<std::string> ReadBytes(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::uint32_t LittleEndian(const std::string& bytes, size_t offset, size_t size)
{
    std::uint32_t value = 0;
    for (size_t i = size; i-- > 0;)
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(offset + i));
    return value;
}

// The file the box writes for our picture: 24 bits a pixel on screens of up to 24
// bits, 32 above.
void ExpectPictureFile(const std::string& path)
{
    std::optional<std::string> file = ReadBytes(path);
    ASSERT_TRUE(file.has_value()) << path << " was not written";
    HDC screen = ::GetDC(nullptr);
    const int depth = ::GetDeviceCaps(screen, PLANES) * ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);
    const std::uint32_t bits = depth <= 24 ? 24 : 32;
    const std::uint32_t rowBytes = (bits * kWidth + 31) / 32 * 4;
    const std::uint32_t size = rowBytes * kHeight;
    ASSERT_EQ(file->size(), 54 + size);

    struct Field {
        const char* name;
        size_t offset, size;
        std::uint32_t expected;
    };
    const Field fields[] = {
        {"type", 0, 2, 0x4D42},       {"file size", 2, 4, 54 + size}, {"reserved", 6, 4, 0},
        {"pixel offset", 10, 4, 54},  {"header size", 14, 4, 40},    {"width", 18, 4, kWidth},
        {"height", 22, 4, kHeight},   {"planes", 26, 2, 1},          {"bits", 28, 2, bits},
        {"compression", 30, 4, 0},    {"image size", 34, 4, 0},      {"x resolution", 38, 4, 0},
        {"y resolution", 42, 4, 0},   {"colours used", 46, 4, 0},    {"important colours", 50, 4, 0},
    };
    for (const Field& f : fields)
        EXPECT_EQ(LittleEndian(*file, f.offset, f.size), f.expected) << f.name;

    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            // Bottom-up: the picture's last row comes first.
            const size_t at = 54 + (kHeight - 1 - y) * rowBytes + x * bits / 8;
            EXPECT_EQ(std::memcmp(file->data() + at, kPixels[y][x], 3), 0) << "pixel " << x << "," << y;
        }

    HBITMAP loaded = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr) << "LoadImage refused the file";
    BITMAP shape{};
    ::GetObjectA(loaded, sizeof(shape), &shape);
    EXPECT_EQ(shape.bmWidth, kWidth);
    EXPECT_EQ(shape.bmHeight, kHeight);
    ::DeleteObject(loaded);
}

class ImageBoxTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ::DeleteFileA(TempBitmapPath().c_str());
    }

    // The dialog is found as soon as it exists; the form is ready once it shows its hint.
    void StartForm()
    {
        Start();
        ASSERT_TRUE(WaitUntil([&] { return HintVisible(); })) << "the form did not start";
    }
    void StartInGraphicMode()
    {
        StartForm();
        Click(kGraphicRadio);
        ASSERT_EQ(Text(kImageBox), kPrompt);
        ASSERT_FALSE(IsReadOnly(kImageBox));
    }
    POINT BoxCentre() const
    {
        RECT box{};
        ::GetWindowRect(Control(kImageBox), &box);
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    void ClickBox(bool rightButton = false)
    {
        const POINT centre = BoxCentre();
        ClickAt(centre.x, centre.y, rightButton);
        AfterMouse();
    }
    HWND WaitForDialog(const std::function<bool(HWND)>& matches, DWORD timeoutMs = kStartTimeoutMs) const
    {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindProcessDialog(m_program->Id(), m_dialog, matches)) != nullptr; },
                  timeoutMs);
        return found;
    }
    HWND WaitForSaveDialog(DWORD timeoutMs = kStartTimeoutMs) const
    {
        return WaitForDialog([](HWND w) { return WindowText(w) == kSaveTitle; }, timeoutMs);
    }
    HWND AnyOtherDialog() const
    {
        ::Sleep(500);
        return FindProcessDialog(m_program->Id(), m_dialog, [](HWND) { return true; });
    }
};

TEST_F(ImageBoxTest, CtrlVWritesThePictureAndAsksWhereToKeepIt)
{
    StartInGraphicMode();
    PutPictureOnClipboard();
    ClickBox();
    PressKeys({VK_CONTROL, 'V'});
    HWND save = WaitForSaveDialog();
    ASSERT_NE(save, nullptr) << "no save dialog";

    // The picture is on disk before the user has answered.
    ExpectPictureFile(TempBitmapPath());
    DWORD attributes = ::GetFileAttributesA(m_install.Path("images").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "no images folder beside the program";

    HWND name = ::FindWindowExA(::FindWindowExA(::GetDlgItem(save, 1148), nullptr, "ComboBox", nullptr), nullptr,
                                "Edit", nullptr);
    ASSERT_NE(name, nullptr);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_install.Path("images\\chart").c_str()));
    ::SetForegroundWindow(save);
    PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(save); })) << "the save dialog stayed open";
    EXPECT_TRUE(WaitUntil([&] { return Text(kImageBox) == kAccepted; })) << Text(kImageBox);
    EXPECT_TRUE(ReadBytes(TempBitmapPath()).has_value()) << "the picture waits in the temporary file";
    EXPECT_FALSE(m_install.ReadFile("images\\chart.bmp")) << "placed before the shortcut was accepted";
}

TEST_F(ImageBoxTest, CancellingTheSaveDialogOfTheMenuPasteRestoresTheTextAndDropsThePicture)
{
    StartInGraphicMode();
    PutPictureOnClipboard();
    ClickBox(true);
    HWND menu = FindPopupMenu();
    ASSERT_NE(menu, nullptr) << "no context menu";
    RECT item{};
    ::GetWindowRect(menu, &item);
    ClickAt((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    HWND save = WaitForSaveDialog();
    ASSERT_NE(save, nullptr) << "Paste Image asked nothing";
    ASSERT_TRUE(ReadBytes(TempBitmapPath()).has_value());

    ::PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(save); }));
    Settle();
    EXPECT_EQ(Text(kImageBox), kPrompt);
    EXPECT_FALSE(ReadBytes(TempBitmapPath()).has_value()) << "the temporary picture stayed";
}

TEST_F(ImageBoxTest, WithoutABitmapCtrlVSaysSoAndKeepsTheEarlierPicture)
{
    StartInGraphicMode();
    PutPictureOnClipboard();
    ::SendMessageA(Control(kImageBox), WM_PASTE, 0, 0);
    ASSERT_EQ(Text(kImageBox), kAccepted);
    const std::optional<std::string> earlier = ReadBytes(TempBitmapPath());
    ASSERT_TRUE(earlier.has_value());

    EmptyTheClipboard();
    ClickBox();
    PressKeys({VK_CONTROL, 'V'});
    HWND message = WaitForDialog([](HWND w) { return ::GetDlgItem(w, kMessageBoxText) != nullptr; });
    ASSERT_NE(message, nullptr) << "no message";
    EXPECT_EQ(WindowText(::GetDlgItem(message, kMessageBoxText)), "No bitmap in clipboard.");
    ::PostMessageA(message, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(message); }));

    EXPECT_EQ(WaitForSaveDialog(500), nullptr) << "asked where to keep no picture";
    EXPECT_EQ(Text(kImageBox), kAccepted);
    EXPECT_EQ(ReadBytes(TempBitmapPath()), earlier) << "the failed paste lost the earlier picture";
}

TEST_F(ImageBoxTest, TypingNeverChangesTheTextButTheCaretStillMoves)
{
    StartInGraphicMode();
    ClickBox();
    PressKeys({VK_END});
    PressKeys({VK_SHIFT, VK_HOME});
    AfterMouse();
    const DWORD selection = static_cast<DWORD>(::SendMessageA(Control(kImageBox), EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), std::strlen(kPrompt)) << "Shift+Home selected nothing";

    const std::initializer_list<WORD> typing[] = {
        {'A'}, {VK_SHIFT, 'B'}, {VK_SPACE}, {VK_BACK}, {VK_DELETE}, {VK_SHIFT, VK_DELETE}, {VK_CONTROL, 'X'},
    };
    for (const auto& keys : typing) {
        PressKeys(keys);
        AfterMouse();
        EXPECT_EQ(Text(kImageBox), kPrompt) << "after key " << *keys.begin();
    }
}

TEST_F(ImageBoxTest, WithPastingOffOnlyThePasteMessageTakesAPicture)
{
    StartForm();
    ASSERT_TRUE(IsReadOnly(kImageBox));
    PutPictureOnClipboard();
    ClickBox();
    PressKeys({VK_CONTROL, 'V'});
    EXPECT_EQ(AnyOtherDialog(), nullptr) << "Ctrl+V pasted with pasting off";
    ClickBox(true);
    EXPECT_EQ(FindPopupMenu(500), nullptr) << "a context menu with pasting off";
    EXPECT_FALSE(ReadBytes(TempBitmapPath()).has_value());

    ::SendMessageA(Control(kImageBox), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(kImageBox), kAccepted);
    EXPECT_EQ(AnyOtherDialog(), nullptr) << "the paste message asked where to keep the picture";
    ExpectPictureFile(TempBitmapPath());
}

}  // namespace
