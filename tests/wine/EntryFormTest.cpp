// The entry form of the main dialog: composing shortcuts of each kind and accepting
// them into the list, the kind radios, the browse buttons and every refusal.
#include "tests/wine/EditorDriver.h"

using namespace wt;

namespace {

std::string FortyEightShortcuts()
{
    std::string settings = "[paths]\r\n";
    const char* names[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (const char* name : names)
        settings += std::string(name) + "=c:\\x\r\n";
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        settings += std::string(1, letter) + "=c:\\x\r\n";
    for (int f = 1; f <= 12; ++f)
        settings += "F" + std::to_string(f) + "=c:\\x\r\n";
    return settings;
}

// A 4 x 3 picture on the clipboard, as a screenshot tool leaves it.
void PutBitmapOnClipboard()
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 4, 3);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, bitmap);
    ::CloseClipboard();
}

class EntryFormTest : public EditorTest {
protected:
    // Pastes the clipboard's picture into the image box with Ctrl+V and names its place
    // in the save dialog that follows.
    void PastePictureAs(const std::string& location)
    {
        RECT box{};
        ::GetWindowRect(Control(kImageBox), &box);
        ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        PressKeys({VK_CONTROL, 'V'});
        HWND save = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            save = FindProcessDialog(m_program->Id(), m_dialog,
                                     [](HWND w) { return WindowText(w) == "select file to save the bitmap"; });
            return save != nullptr;
        })) << "no save dialog";
        AnswerFileDialog(save, location);
        ASSERT_TRUE(WaitUntil([&] { return Text(kImageBox) == "Image Accepted."; }));
    }

    // Types the name into a common file dialog and presses its OK button.
    static void AnswerFileDialog(HWND dialog, const std::string& name)
    {
        HWND edit = ::FindWindowExA(::FindWindowExA(::GetDlgItem(dialog, 1148), nullptr, "ComboBox", nullptr),
                                    nullptr, "Edit", nullptr);
        ASSERT_NE(edit, nullptr);
        ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    }

    // Clicks the button, waits for the dialog it opens and answers it.
    void ClickAndAnswer(int button, const std::function<void(HWND)>& answer)
    {
        HWND control = Control(button);
        std::thread clicker([control] { ::SendMessageA(control, BM_CLICK, 0, 0); });
        HWND opened = nullptr;
        bool found = WaitUntil([&] {
            opened = FindProcessDialog(m_program->Id(), m_dialog, [](HWND) { return true; });
            return opened != nullptr;
        });
        if (found)
            answer(opened);
        clicker.join();
        ASSERT_TRUE(found) << "no dialog opened";
        Settle();
    }
};

TEST_F(EntryFormTest, StartsEditableInPathModeWithTheHint)
{
    Start();
    EXPECT_TRUE(IsChecked(kPathRadio));
    EXPECT_TRUE(IsEnabled(kAccept));
    for (int id : {kPathBox, kFolderBrowse, kFileBrowse, kEmail, kTextRadio, kGraphicRadio})
        EXPECT_TRUE(IsEnabled(id)) << id;
    EXPECT_FALSE(IsEnabled(kTextBox));
    EXPECT_TRUE(IsReadOnly(kImageBox));
    EXPECT_TRUE(HintVisible());
    EXPECT_EQ(SelectedKey(), "0");
}

TEST_F(EntryFormTest, AcceptedShortcutsAreListedInKeyOrderAndTheirKeysLeaveTheCombo)
{
    Start();
    EXPECT_EQ(AcceptPath("F2", "  \tc:\\reports \r\n"), std::nullopt);
    EXPECT_TRUE(HintVisible()) << "the path box asks for the next path";
    EXPECT_EQ(Text(kPathBox), "");
    EXPECT_EQ(AcceptText("A", "Kind regards,\r\nThe desk"), std::nullopt);
    EXPECT_TRUE(IsChecked(kTextRadio)) << "the form stays with the kind";
    EXPECT_EQ(Text(kTextBox), "");

    PickKey("3");
    Click(kPathRadio);
    Click(kEmail);
    EXPECT_EQ(Text(kPathBox), "mailto:");
    EXPECT_TRUE(HintVisible()) << "the recipient hint";
    EXPECT_EQ(Click(kAccept), std::nullopt) << "mailto: alone is a path";

    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].key, "3");
    EXPECT_EQ(rows[0].payload, "mailto:");
    EXPECT_EQ(rows[1].key, "A");
    EXPECT_EQ(rows[1].payload, "Kind regards,\r\nThe desk");
    EXPECT_EQ(rows[2].key, "F2");
    EXPECT_EQ(rows[2].payload, "c:\\reports");
    for (const char* used : {"3", "A", "F2"})
        EXPECT_FALSE(Offers(used)) << used;
    EXPECT_EQ(Keys().size(), 45u);
    EXPECT_EQ(SelectedKey(), "0");
}

TEST_F(EntryFormTest, AfterAcceptTheComboMovesToTheNextFreeFunctionKeyOrItsFirstEntry)
{
    struct Case {
        const char* settings;
        const char* key;
        const char* selected;
    } cases[] = {
        {"", "F", "F1"},
        {"", "F1", "F10"},
        {"[paths]\r\nF10=c:\\x\r\n", "F1", "F11"},
        // No entry begins with the taken key: the combo keeps its first entry.
        {"", "A", "0"},
        {"[paths]\r\n0=c:\\x\r\nF10=c:\\x\r\nF11=c:\\x\r\nF12=c:\\x\r\n", "F1", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " with " + c.settings);
        Start(c.settings);
        ASSERT_EQ(AcceptPath(c.key, "c:\\reports"), std::nullopt);
        EXPECT_EQ(SelectedKey(), c.selected);
        m_program.reset();
        EndAllInstances();
    }
}

TEST_F(EntryFormTest, IncompleteShortcutsAreRefusedWithTheirMessage)
{
    Start();
    struct Case {
        int radio;
        int box;
        std::string input;
        const char* message;
    } cases[] = {
        {kPathRadio, kPathBox, "", "Please choose path."},
        {kPathRadio, kPathBox, "  \t ", "Please choose path."},
        {kTextRadio, kTextBox, "", "Please type in content."},
        {kGraphicRadio, 0, "", "Please paste a image in the editbox."},
        // Typing stops at 200 characters; a longer text set from outside is refused.
        {kTextRadio, kTextBox, std::string(201, 'x'), "Enter no more than 200 characters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Click(c.radio);
        if (c.box)
            SetText(c.box, c.input);
        EXPECT_EQ(Click(kAccept), std::optional<std::string>(c.message));
        EXPECT_TRUE(Rows().empty());
        EXPECT_EQ(Keys().size(), 48u);
        if (c.box) {
            EXPECT_EQ(Text(c.box), c.input) << "the box keeps what was typed";
        }
    }
}

TEST_F(EntryFormTest, TextsUpToTheLimitAreTakenWithTheirLineBreaks)
{
    Start();
    const std::string longest = std::string(99, 'a') + "\r\n" + std::string(99, 'b');
    ASSERT_EQ(longest.size(), 200u);
    EXPECT_EQ(AcceptText("1", longest), std::nullopt);

    PickKey("2");
    Click(kTextRadio);
    RECT box{};
    ::GetWindowRect(Control(kTextBox), &box);
    ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    PressKeys({'H'});
    PressKeys({'I'});
    PressKeys({VK_RETURN});
    PressKeys({'Y'});
    ASSERT_TRUE(WaitUntil([&] { return Text(kTextBox).size() == 5; }));
    EXPECT_EQ(Click(kAccept), std::nullopt);

    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].payload, longest);
    EXPECT_EQ(rows[1].payload, "hi\r\ny");
}

TEST_F(EntryFormTest, WithEveryKeyInUseAcceptIsRefused)
{
    Start(FortyEightShortcuts());
    EXPECT_TRUE(Keys().empty());
    SetText(kPathBox, "c:\\reports");
    std::optional<std::string> message = Click(kAccept);
    ASSERT_TRUE(message.has_value()) << "accepted without a key";
    EXPECT_NE(message->find("keys are in use"), std::string::npos) << *message;
    EXPECT_EQ(Rows().size(), 48u);
}

TEST_F(EntryFormTest, EachKindEnablesItsOwnControlsAndEmptiesTheOthers)
{
    Start();
    struct Case {
        int radio;
        std::vector<int> enabled;
        std::vector<int> disabled;
        bool imageWritable;
        const char* imageText;
        bool hint;
    } cases[] = {
        {kTextRadio, {kTextBox}, {kPathBox, kFolderBrowse, kFileBrowse, kEmail, kSaveBitmap}, false, "", false},
        {kGraphicRadio, {kSaveBitmap, kGraphicRadio}, {kPathBox, kFolderBrowse, kFileBrowse, kEmail, kTextBox}, true,
         "Paste clipboard image here.", false},
        {kPathRadio, {kPathBox, kFolderBrowse, kFileBrowse, kEmail}, {kTextBox, kSaveBitmap}, false, "", true},
    };
    SetText(kPathBox, "c:\\typed but not accepted");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        Click(c.radio);
        for (int id : c.enabled)
            EXPECT_TRUE(IsEnabled(id)) << id;
        for (int id : c.disabled)
            EXPECT_FALSE(IsEnabled(id)) << id;
        EXPECT_EQ(IsReadOnly(kImageBox), !c.imageWritable);
        EXPECT_EQ(Text(kImageBox), c.imageText);
        EXPECT_EQ(Text(kPathBox), "") << "a path never read is replaced";
        EXPECT_EQ(HintVisible(), c.hint);
    }
}

TEST_F(EntryFormTest, FileBrowseFillsThePathAndCancelLeavesIt)
{
    m_install.WriteFile("notes.txt", "x");
    Start();
    ClickAndAnswer(kFileBrowse, [&](HWND dialog) { AnswerFileDialog(dialog, m_install.Path("notes.txt")); });
    EXPECT_EQ(Text(kPathBox), m_install.Path("notes.txt"));
    EXPECT_FALSE(HintVisible());

    for (int button : {kFileBrowse, kFolderBrowse}) {
        SCOPED_TRACE(button);
        ClickAndAnswer(button, [](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(Text(kPathBox), m_install.Path("notes.txt"));
    }
}

TEST_F(EntryFormTest, FolderBrowseFillsThePathWithTheChosenFolder)
{
    Start();
    ClickAndAnswer(kFolderBrowse, [](HWND dialog) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    });
    // The browser starts at the desktop, whose folder is what OK gives straight away.
    const std::string path = Text(kPathBox);
    EXPECT_NE(path.find("Desktop"), std::string::npos) << path;
    EXPECT_FALSE(HintVisible());
}

TEST_F(EntryFormTest, APastedPictureIsPlacedWhereTheUserChoseOnAccept)
{
    Start();
    PickKey("G");
    Click(kGraphicRadio);
    PutBitmapOnClipboard();
    const std::string location = m_install.Path("images\\logo.bmp");
    PastePictureAs(location);
    EXPECT_FALSE(m_install.ReadFile("images\\logo.bmp")) << "written before Accept";

    EXPECT_EQ(Click(kAccept), std::nullopt);
    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].key, "G");
    EXPECT_EQ(rows[0].payload, location);
    std::optional<std::string> file = m_install.ReadFile("images\\logo.bmp");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->substr(0, 2), "BM");
    EXPECT_EQ(Text(kImageBox), "Paste clipboard image here.");
    EXPECT_TRUE(IsChecked(kGraphicRadio));
}

TEST_F(EntryFormTest, APictureThatCannotBePlacedAddsNoRowAndKeepsTheForm)
{
    Start();
    PickKey("G");
    Click(kGraphicRadio);
    PutBitmapOnClipboard();
    const std::string location = m_install.Path("images\\logo.bmp");
    PastePictureAs(location);
    // A folder of that name stands where the file should go.
    ASSERT_TRUE(::CreateDirectoryA(location.c_str(), nullptr));

    std::optional<std::string> message = Click(kAccept);
    ASSERT_TRUE(message.has_value()) << "the failed copy went unreported";
    EXPECT_NE(message->find(location), std::string::npos) << *message;
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(Offers("G"));
    EXPECT_EQ(SelectedKey(), "G");
    EXPECT_EQ(Text(kImageBox), "Image Accepted.");

    ASSERT_TRUE(::RemoveDirectoryA(location.c_str()));
    EXPECT_EQ(Click(kAccept), std::nullopt) << "the kept picture can still be placed";
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].payload, location);
    EXPECT_TRUE(m_install.ReadFile("images\\logo.bmp").has_value());
}

}  // namespace
