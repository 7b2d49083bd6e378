// The image paste box of the entry form: pictures taken from the clipboard by Ctrl+V,
// the context menu and WM_PASTE, the .bmp files written from them, the save dialog
// that asks where to keep them, and the text that typing never changes.
#include "tests/wine/support/MainDialogDriver.h"
#include <cstdint>
#include <cstring>

using namespace wt;

namespace {

constexpr int kWidth = 3;    // 9 bytes of pixels a row at 24 bits: the rows need padding
constexpr int kHeight = 2;   // two rows show which one the file stores first

// Blue, green, red of each pixel, top row first.
const std::uint8_t kPixels[kHeight][kWidth][3] = {
    {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}, {0x70, 0x80, 0x90}},
    {{0xA0, 0xB0, 0xC0}, {0xD0, 0xE0, 0xF0}, {0x01, 0x02, 0x03}},
};

// kPixels as the clipboard takes them.
Picture KnownPicture()
{
    Picture picture{kWidth, kHeight, {}};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = kPixels[y][x];
            picture.pixels.push_back(p[0] | p[1] << 8 | p[2] << 16);
        }
    return picture;
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
    std::optional<std::string> file = ReadFileBytes(path);
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

    void StartInGraphicMode()
    {
        ASSERT_NO_FATAL_FAILURE(StartForm());
        Click(IDC_GRAPHIC_RADIO);
        ASSERT_EQ(Text(IDC_IMAGE), kImagePrompt);
        ASSERT_FALSE(IsReadOnly(IDC_IMAGE));
    }
    void ClickBox(bool rightButton = false)
    {
        ClickOn(Control(IDC_IMAGE), rightButton);
        AfterMouse();
    }
    HWND WaitForSaveDialog(DWORD timeoutMs = kStartTimeoutMs) const
    {
        return WaitForProcessDialog(ProgramId(), IsSaveBitmapDialog, timeoutMs);
    }
    HWND AnyOtherDialog() const
    {
        ::Sleep(500);
        return FindProcessDialog(ProgramId(), m_dialog, [](HWND) { return true; });
    }
};

TEST_F(ImageBoxTest, CtrlVWritesThePictureAndAsksWhereToKeepIt)
{
    ASSERT_NO_FATAL_FAILURE(StartInGraphicMode());
    ASSERT_TRUE(PutPictureOnClipboard(KnownPicture()));
    ClickBox();
    PressKeys({VK_CONTROL, 'V'});
    HWND save = WaitForSaveDialog();
    ASSERT_NE(save, nullptr) << "no save dialog";

    // The picture is on disk before the user has answered.
    ASSERT_NO_FATAL_FAILURE(ExpectPictureFile(TempBitmapPath()));
    DWORD attributes = ::GetFileAttributesA(m_install.Path("images").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "no images folder beside the program";

    HWND name = FileNameBox(save);
    ASSERT_NE(name, nullptr);
    SetControlText(name, m_install.Path("images\\chart"));
    ::SetForegroundWindow(save);
    PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(save); })) << "the save dialog stayed open";
    EXPECT_TRUE(WaitUntil([&] { return Text(IDC_IMAGE) == kImageAccepted; })) << Text(IDC_IMAGE);
    EXPECT_TRUE(ReadFileBytes(TempBitmapPath()).has_value()) << "the picture waits in the temporary file";
    EXPECT_FALSE(m_install.ReadFile("images\\chart.bmp")) << "placed before the shortcut was accepted";
}

TEST_F(ImageBoxTest, CancellingTheSaveDialogOfTheMenuPasteRestoresTheTextAndDropsThePicture)
{
    ASSERT_NO_FATAL_FAILURE(StartInGraphicMode());
    ASSERT_TRUE(PutPictureOnClipboard(KnownPicture()));
    ClickBox(true);
    HWND menu = FindPopupMenu();
    ASSERT_NE(menu, nullptr) << "no context menu";
    ClickOn(menu);
    HWND save = WaitForSaveDialog();
    ASSERT_NE(save, nullptr) << "Paste Image asked nothing";
    ASSERT_TRUE(ReadFileBytes(TempBitmapPath()).has_value());

    ::PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(save); }));
    Settle();
    EXPECT_EQ(Text(IDC_IMAGE), kImagePrompt);
    EXPECT_FALSE(ReadFileBytes(TempBitmapPath()).has_value()) << "the temporary picture stayed";
}

TEST_F(ImageBoxTest, WithoutABitmapCtrlVSaysSoAndKeepsTheEarlierPicture)
{
    ASSERT_NO_FATAL_FAILURE(StartInGraphicMode());
    ASSERT_TRUE(PutPictureOnClipboard(KnownPicture()));
    ::SendMessageA(Control(IDC_IMAGE), WM_PASTE, 0, 0);
    ASSERT_EQ(Text(IDC_IMAGE), kImageAccepted);
    const std::optional<std::string> earlier = ReadFileBytes(TempBitmapPath());
    ASSERT_TRUE(earlier.has_value());

    EmptyTheClipboard();
    ClickBox();
    PressKeys({VK_CONTROL, 'V'});
    HWND message = WaitForMessageBox(ProgramId(), kStartTimeoutMs);
    ASSERT_NE(message, nullptr) << "no message";
    EXPECT_EQ(ReadMessageBox(message).text, "No bitmap in clipboard.");
    CloseMessageBox(message, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(message); }));

    EXPECT_EQ(WaitForSaveDialog(500), nullptr) << "asked where to keep no picture";
    EXPECT_EQ(Text(IDC_IMAGE), kImageAccepted);
    EXPECT_EQ(ReadFileBytes(TempBitmapPath()), earlier) << "the failed paste lost the earlier picture";
}

TEST_F(ImageBoxTest, TypingNeverChangesTheTextButTheCaretStillMoves)
{
    ASSERT_NO_FATAL_FAILURE(StartInGraphicMode());
    ClickBox();
    PressKeys({VK_END});
    PressKeys({VK_SHIFT, VK_HOME});
    AfterMouse();
    const DWORD selection = static_cast<DWORD>(::SendMessageA(Control(IDC_IMAGE), EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), std::strlen(kImagePrompt)) << "Shift+Home selected nothing";

    const std::initializer_list<WORD> typing[] = {
        {'A'}, {VK_SHIFT, 'B'}, {VK_SPACE}, {VK_BACK}, {VK_DELETE}, {VK_SHIFT, VK_DELETE}, {VK_CONTROL, 'X'},
    };
    for (const auto& keys : typing) {
        PressKeys(keys);
        AfterMouse();
        EXPECT_EQ(Text(IDC_IMAGE), kImagePrompt) << "after key " << *keys.begin();
    }
}

TEST_F(ImageBoxTest, WithPastingOffOnlyThePasteMessageTakesAPicture)
{
    ASSERT_NO_FATAL_FAILURE(StartForm());
    ASSERT_TRUE(IsReadOnly(IDC_IMAGE));
    ASSERT_TRUE(PutPictureOnClipboard(KnownPicture()));
    ClickBox();
    PressKeys({VK_CONTROL, 'V'});
    EXPECT_EQ(AnyOtherDialog(), nullptr) << "Ctrl+V pasted with pasting off";
    ClickBox(true);
    EXPECT_EQ(FindPopupMenu(500), nullptr) << "a context menu with pasting off";
    EXPECT_FALSE(ReadFileBytes(TempBitmapPath()).has_value());

    ::SendMessageA(Control(IDC_IMAGE), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(IDC_IMAGE), kImageAccepted);
    EXPECT_EQ(AnyOtherDialog(), nullptr) << "the paste message asked where to keep the picture";
    ASSERT_NO_FATAL_FAILURE(ExpectPictureFile(TempBitmapPath()));
}

}  // namespace
