// The entry form of the main dialog: composing shortcuts of each kind and accepting
// them into the list, the kind radios, the browse buttons and every refusal.
#include "tests/wine/support/MainDialogDriver.h"
#include <thread>

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

class EntryFormTest : public EditorTest {
protected:
    // A new shortcut of the picture kind on the key, its picture pasted and placed
    // (in the save dialog) at the location, not yet accepted.
    void StartWithPictureFor(const std::string& key, const std::string& location)
    {
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_NO_FATAL_FAILURE(PickKey(key));
        Click(IDC_GRAPHIC_RADIO);
        ASSERT_NO_FATAL_FAILURE(PastePicture(Control(IDC_IMAGE), location));
    }

    // Clicks the button, waits for the dialog it opens and answers it.
    void ClickAndAnswer(int button, const std::function<void(HWND)>& answer)
    {
        HWND control = Control(button);
        std::thread clicker([control] { ::SendMessageA(control, BM_CLICK, 0, 0); });
        HWND opened = WaitForProcessDialog(ProgramId(), [](HWND) { return true; });
        if (opened)
            answer(opened);
        clicker.join();
        ASSERT_NE(opened, nullptr) << "no dialog opened";
        Settle();
    }
};

TEST_F(EntryFormTest, StartsEditableInPathModeWithTheHint)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(IsChecked(IDC_PATH_RADIO));
    EXPECT_TRUE(IsEnabled(IDC_ACCEPT));
    for (int id : {IDC_PATH, IDC_FOLDER_BROWSE, IDC_FILE_BROWSE, IDC_EMAIL, IDC_TEXT_RADIO, IDC_GRAPHIC_RADIO})
        EXPECT_TRUE(IsEnabled(id)) << id;
    EXPECT_FALSE(IsEnabled(IDC_TEXT));
    EXPECT_TRUE(IsReadOnly(IDC_IMAGE));
    EXPECT_TRUE(HintVisible());
    EXPECT_EQ(SelectedKey(), "0");
}

TEST_F(EntryFormTest, AcceptedShortcutsAreListedInKeyOrderAndTheirKeysLeaveTheCombo)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(AcceptPath("F2", "  \tc:\\reports \r\n"), std::nullopt);
    EXPECT_TRUE(HintVisible()) << "the path box asks for the next path";
    EXPECT_EQ(Text(IDC_PATH), "");
    EXPECT_EQ(AcceptText("A", "Kind regards,\r\nThe desk"), std::nullopt);
    EXPECT_TRUE(IsChecked(IDC_TEXT_RADIO)) << "the form stays with the kind";
    EXPECT_EQ(Text(IDC_TEXT), "");

    ASSERT_NO_FATAL_FAILURE(PickKey("3"));
    Click(IDC_PATH_RADIO);
    Click(IDC_EMAIL);
    EXPECT_EQ(Text(IDC_PATH), "mailto:");
    EXPECT_TRUE(HintVisible()) << "the recipient hint";
    EXPECT_EQ(Click(IDC_ACCEPT), std::nullopt) << "mailto: alone is a path";

    const std::vector<ListRow> rows = {
        {"3", "mailto:"}, {"A", std::string("Kind regards,") + kShownLineBreak + "The desk"}, {"F2", "c:\\reports"}};
    EXPECT_EQ(Rows(), rows);
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
        ASSERT_NO_FATAL_FAILURE(Start(c.settings));
        ASSERT_EQ(AcceptPath(c.key, "c:\\reports"), std::nullopt);
        EXPECT_EQ(SelectedKey(), c.selected);
        m_program.reset();
        EndAllInstances();
    }
}

TEST_F(EntryFormTest, IncompleteShortcutsAreRefusedWithTheirMessage)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    struct Case {
        int radio;
        int box;
        std::string input;
        const char* message;
    } cases[] = {
        {IDC_PATH_RADIO, IDC_PATH, "", "Please choose path."},
        {IDC_PATH_RADIO, IDC_PATH, "  \t ", "Please choose path."},
        {IDC_TEXT_RADIO, IDC_TEXT, "", "Please type in content."},
        {IDC_GRAPHIC_RADIO, 0, "", "Please paste a image in the editbox."},
        // Typing stops at 200 characters; a longer text set from outside is refused.
        {IDC_TEXT_RADIO, IDC_TEXT, std::string(201, 'x'), "Enter no more than 200 characters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Click(c.radio);
        if (c.box)
            SetText(c.box, c.input);
        EXPECT_EQ(Click(IDC_ACCEPT), std::optional<std::string>(c.message));
        EXPECT_TRUE(Rows().empty());
        EXPECT_EQ(Keys().size(), 48u);
        if (c.box) {
            EXPECT_EQ(Text(c.box), c.input) << "the box keeps what was typed";
        }
    }
}

TEST_F(EntryFormTest, TextsUpToTheLimitAreTakenWithTheirLineBreaks)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string longest = std::string(99, 'a') + "\r\n" + std::string(99, 'b');
    ASSERT_EQ(longest.size(), 200u);
    EXPECT_EQ(AcceptText("1", longest), std::nullopt);

    ASSERT_NO_FATAL_FAILURE(PickKey("2"));
    Click(IDC_TEXT_RADIO);
    ClickOn(Control(IDC_TEXT));
    PressKeys({'H'});
    PressKeys({'I'});
    PressKeys({VK_RETURN});
    PressKeys({'Y'});
    ASSERT_TRUE(WaitUntil([&] { return Text(IDC_TEXT).size() == 5; }));
    EXPECT_EQ(Click(IDC_ACCEPT), std::nullopt);

    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].payload, std::string(99, 'a') + kShownLineBreak + std::string(99, 'b'));
    EXPECT_EQ(rows[1].payload, std::string("hi") + kShownLineBreak + "y");
}

TEST_F(EntryFormTest, WithEveryKeyInUseAcceptIsRefused)
{
    ASSERT_NO_FATAL_FAILURE(Start(FortyEightShortcuts()));
    EXPECT_TRUE(Keys().empty());
    SetText(IDC_PATH, "c:\\reports");
    std::optional<std::string> message = Click(IDC_ACCEPT);
    ASSERT_TRUE(message.has_value()) << "accepted without a key";
    EXPECT_NE(message->find("keys are in use"), std::string::npos) << *message;
    EXPECT_EQ(Rows().size(), 48u);
}

TEST_F(EntryFormTest, EachKindEnablesItsOwnControlsAndEmptiesTheOthers)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    struct Case {
        int radio;
        std::vector<int> enabled;
        std::vector<int> disabled;
        bool imageWritable;
        const char* imageText;
        bool hint;
    } cases[] = {
        {IDC_TEXT_RADIO, {IDC_TEXT}, {IDC_PATH, IDC_FOLDER_BROWSE, IDC_FILE_BROWSE, IDC_EMAIL}, false, "", false},
        {IDC_GRAPHIC_RADIO, {IDC_GRAPHIC_RADIO}, {IDC_PATH, IDC_FOLDER_BROWSE, IDC_FILE_BROWSE, IDC_EMAIL, IDC_TEXT}, true,
         "Paste clipboard image here.", false},
        {IDC_PATH_RADIO, {IDC_PATH, IDC_FOLDER_BROWSE, IDC_FILE_BROWSE, IDC_EMAIL}, {IDC_TEXT}, false, "", true},
    };
    SetText(IDC_PATH, "c:\\typed but not accepted");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        Click(c.radio);
        for (int id : c.enabled)
            EXPECT_TRUE(IsEnabled(id)) << id;
        for (int id : c.disabled)
            EXPECT_FALSE(IsEnabled(id)) << id;
        EXPECT_EQ(IsReadOnly(IDC_IMAGE), !c.imageWritable);
        EXPECT_EQ(Text(IDC_IMAGE), c.imageText);
        EXPECT_EQ(Text(IDC_PATH), "") << "a path never read is replaced";
        EXPECT_EQ(HintVisible(), c.hint);
    }
}

TEST_F(EntryFormTest, FileBrowseFillsThePathAndCancelLeavesIt)
{
    m_install.WriteFile("notes.txt", "x");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ClickAndAnswer(IDC_FILE_BROWSE, [&](HWND dialog) {
        EXPECT_TRUE(FillFileDialog(dialog, m_install.Path("notes.txt"))) << "no file name box";
    }));
    EXPECT_EQ(Text(IDC_PATH), m_install.Path("notes.txt"));
    EXPECT_FALSE(HintVisible());

    for (int button : {IDC_FILE_BROWSE, IDC_FOLDER_BROWSE}) {
        SCOPED_TRACE(button);
        ASSERT_NO_FATAL_FAILURE(
            ClickAndAnswer(button, [](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }));
        EXPECT_EQ(Text(IDC_PATH), m_install.Path("notes.txt"));
    }
}

TEST_F(EntryFormTest, FolderBrowseFillsThePathWithTheChosenFolder)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ClickAndAnswer(IDC_FOLDER_BROWSE, [](HWND dialog) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    }));
    // The browser starts at the desktop, whose folder is what OK gives straight away.
    const std::string path = Text(IDC_PATH);
    EXPECT_NE(path.find("Desktop"), std::string::npos) << path;
    EXPECT_FALSE(HintVisible());
}

TEST_F(EntryFormTest, APastedPictureIsPlacedWhereTheUserChoseOnAccept)
{
    const std::string location = m_install.Path("images\\logo.bmp");
    ASSERT_NO_FATAL_FAILURE(StartWithPictureFor("G", location));
    EXPECT_FALSE(m_install.ReadFile("images\\logo.bmp")) << "written before Accept";

    EXPECT_EQ(Click(IDC_ACCEPT), std::nullopt);
    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].key, "G");
    EXPECT_EQ(rows[0].payload, location);
    std::optional<std::string> file = m_install.ReadFile("images\\logo.bmp");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->substr(0, 2), "BM");
    EXPECT_EQ(Text(IDC_IMAGE), "Paste clipboard image here.");
    EXPECT_TRUE(IsChecked(IDC_GRAPHIC_RADIO));
}

TEST_F(EntryFormTest, APictureThatCannotBePlacedAddsNoRowAndKeepsTheForm)
{
    const std::string location = m_install.Path("images\\logo.bmp");
    ASSERT_NO_FATAL_FAILURE(StartWithPictureFor("G", location));
    // A folder of that name stands where the file should go.
    ASSERT_TRUE(::CreateDirectoryA(location.c_str(), nullptr));

    std::optional<std::string> message = Click(IDC_ACCEPT);
    ASSERT_TRUE(message.has_value()) << "the failed copy went unreported";
    EXPECT_NE(message->find(location), std::string::npos) << *message;
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(Offers("G"));
    EXPECT_EQ(SelectedKey(), "G");
    EXPECT_EQ(Text(IDC_IMAGE), "Image Accepted.");

    ASSERT_TRUE(::RemoveDirectoryA(location.c_str()));
    EXPECT_EQ(Click(IDC_ACCEPT), std::nullopt) << "the kept picture can still be placed";
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].payload, location);
    EXPECT_TRUE(m_install.ReadFile("images\\logo.bmp").has_value());
}

}  // namespace
