// Characters of any language, as a user types and keeps them: read from the files
// editors write, put on the clipboard as Unicode text, typed into the boxes, saved and
// shown again after a new start, with the programs in a folder of Cyrillic letters.
// All of it against Wine's real clipboard, edit boxes and files.
#include "tests/wine/support/HotkeyTest.h"
#include "tests/wine/support/MainDialogDriver.h"
#include "tests/wine/support/ProgramDialogs.h"

using namespace wt;

namespace {

// A euro sign, a dash, three ideographs and a character outside the first 65,536
// (two UTF-16 units), in UTF-8.
constexpr char kWorldText[] = "\xE2\x82\xAC \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80";
constexpr wchar_t kWorldTextWide[] = L"\x20AC \x2014 \x65E5\x672C\x8A9E \xD83D\xDE00";
// C:\Тест_Папка
constexpr char kCyrillicPath[] =
    "C:\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82_\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0";
// Тарнвик: where the programs are kept.
constexpr char kCyrillicFolder[] = "\xD0\xA2\xD0\xB0\xD1\x80\xD0\xBD\xD0\xB2\xD0\xB8\xD0\xBA";
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string Utf16LittleEndianFile(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class UnicodeHotkeyTest : public HotkeyTest {};

// Notepad's two ways of keeping such a text: UTF-16 with its mark, and UTF-8 without.
TEST_F(UnicodeHotkeyTest, ATextOfAnyLanguageReachesTheClipboardAsItWasWritten)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-16 with a byte-order mark", Utf16LittleEndianFile(std::wstring(L"[contents]\r\nW=") + kWorldTextWide + L"\r\n")},
        {"UTF-8 without one", std::string("[contents]\r\nW=") + kWorldText + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(Start(c.bytes));
        ASSERT_NO_FATAL_FAILURE(PutMarkerOnClipboard());
        PressChord({VK_CONTROL, VK_MENU, 'W'});
        EXPECT_TRUE(WaitUntil([] { return ClipboardText() == std::optional<std::string>(kWorldText); }, 3000))
            << "the clipboard holds \"" << ClipboardText().value_or("(nothing)") << '"';
        EXPECT_TRUE(CloseThePopup(ProgramId()));
        EXPECT_TRUE(DeskHasKeyboard());
        m_program->Terminate();
        EndAllInstances();
    }
}

class UnicodeEditorTest : public EditorTest {
protected:
    UnicodeEditorTest() : EditorTest(kCyrillicFolder) {}

    // Clicks into the box, selects what it holds and types the text over it, key by key.
    static void TypeInto(HWND box, const std::string& text)
    {
        ClickOn(box);
        ASSERT_TRUE(WaitUntil([&] { return ForegroundFocus() == box; })) << "the box did not get the keyboard";
        PressKeys({VK_CONTROL, 'A'});
        TypeText(text);
        ASSERT_TRUE(WaitUntil([&] { return ControlText(box) == text; }, 5000))
            << "the box shows \"" << ControlText(box) << '"';
    }
    // The control that has the keyboard in the window in front.
    static HWND ForegroundFocus()
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(0, &info) ? info.hwndFocus : nullptr;
    }
};

// The programs kept in a folder of Cyrillic letters read their settings there; what is
// typed into the entry form and the edit dialog is saved and listed again after a new
// start, every character as typed.
TEST_F(UnicodeEditorTest, TypedCharactersAreSavedAndListedAgainFromAFolderOfAnyName)
{
    ASSERT_NE(m_install.Folder().find(kCyrillicFolder), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(Start(std::string("[paths]\r\nA=") + kCyrillicPath + "\r\n"));
    EXPECT_EQ(Rows(), (std::vector<ListRow>{{"A", kCyrillicPath}}));

    EXPECT_EQ(Click(IDC_TEXT_RADIO), std::nullopt);
    ASSERT_NO_FATAL_FAILURE(PickKey("W"));
    ASSERT_NO_FATAL_FAILURE(TypeInto(Control(IDC_TEXT), kWorldText));
    EXPECT_EQ(Click(IDC_ACCEPT), std::nullopt);

    // The path row changed in the edit dialog.
    ClickRow(0);
    ::PostMessageW(Control(IDC_EDIT_SHORTCUT), BM_CLICK, 0, 0);
    HWND edit = WaitForProcessDialog(ProgramId(), [](HWND w) { return WindowText(w) == "Edit"; });
    ASSERT_NE(edit, nullptr);
    const std::string editedPath = std::string(kCyrillicPath) + "\\\xCE\xB1\xCE\xB2\xCE\xB3 \xE6\x97\xA5";
    ASSERT_NO_FATAL_FAILURE(TypeInto(::GetDlgItem(edit, IDC_PATH), editedPath));
    ClickOn(::GetDlgItem(edit, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(edit); }));
    Settle();

    const std::vector<ListRow> rows = {{"A", editedPath}, {"W", kWorldText}};
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_EQ(Settings(), std::string(kByteOrderMark) + "[paths]\r\nA=" + editedPath + "\r\n[contents]\r\nW=" +
                              kWorldText + "\r\n");
    EXPECT_FALSE(m_install.ReadFile("keyset.ini.bak").has_value()) << "a copy kept though nothing was lost";
    ASSERT_NO_FATAL_FAILURE(Restart());
    OpenFromTray();
    EXPECT_EQ(Rows(), rows);
}

}  // namespace
