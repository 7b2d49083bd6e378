// The shortcut list of the main dialog: its columns, viewing a clicked row in the form,
// leaving the view, opening a row in the edit dialog, deleting rows, and the key combo
// that offers exactly the free keys.
#include "tests/wine/support/MainDialogDriver.h"
#include <commctrl.h>
#include <numeric>

using namespace wt;

namespace {

// Listed as 3, B, G, F12.
const char kFourShortcuts[] =
    "[paths]\r\nB=c:\\reports\r\nF12=http://example.org\r\n"
    "[graphics]\r\nG=c:\\images\\logo.bmp\r\n"
    "[contents]\r\n3=Kind regards,{}The desk\r\n";

constexpr int kFormControls[] = {IDC_ACCEPT, IDC_PATH_RADIO, IDC_TEXT_RADIO, IDC_GRAPHIC_RADIO, IDC_PATH, IDC_FOLDER_BROWSE,
                                 IDC_FILE_BROWSE, IDC_EMAIL, IDC_TEXT};

class ShortcutListTest : public EditorTest {
protected:
    int RowOf(const std::string& key) const
    {
        std::vector<std::string> keys = RowKeys();
        return static_cast<int>(std::find(keys.begin(), keys.end(), key) - keys.begin());
    }
    // The edit dialog that came up, or a message box that came instead of it.
    HWND WaitForEditOrMessage() const
    {
        return WaitForProcessDialog(ProgramId(), [](HWND w) { return WindowText(w) == "Edit" || IsMessageBox(w); });
    }
};

TEST_F(ShortcutListTest, TheColumnsAreHeadedKeyKindAndShortcutAndFillTheList)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    HWND list = Control(IDC_SHORTCUT_LIST);
    EXPECT_EQ(ListHeadings(list), (std::vector<std::string>{"Key", "Kind", "Shortcut"}));
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT headerBox{};
    ::GetWindowRect(header, &headerBox);
    EXPECT_TRUE(::IsWindowVisible(header) && headerBox.bottom > headerBox.top) << "the headings are not shown";
    EXPECT_EQ(ListColumn(list, kKindColumn), (std::vector<std::string>{"Text", "Path", "Graphic", "Path"}));
    // The shortcut's column ends where the list does: no scroll bar for width that
    // the rows do not need.
    const std::vector<int> widths = ListColumnWidths(list);
    RECT client{};
    ::GetClientRect(list, &client);
    EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), client.right);
    EXPECT_EQ(::GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL, 0) << "a horizontal scroll bar";
}

// A row is the user's wherever they click it: on its shortcut's text as well as on its
// key. Against Wine's real list view and its mouse and keyboard handling.
TEST_F(ShortcutListTest, EveryWayOfOpeningARowEditsThatRow)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    const struct {
        const char* how;
        const char* key;
        int box;
        const char* payload;
        std::function<void(int row)> open;
    } cases[] = {
        {"a click on its shortcut, then Edit", "B", IDC_PATH, "c:\\reports",
         [this](int row) {
             ClickRow(row, kShortcutColumn);
             ClickOn(Control(IDC_EDIT_SHORTCUT));
         }},
        {"a double click on its shortcut", "F12", IDC_PATH, "http://example.org",
         [this](int row) { DoubleClickRow(row, kShortcutColumn); }},
        {"a click on its kind, then Enter", "G", IDC_IMAGE, "c:\\images\\logo.bmp",
         [this](int row) {
             ClickRow(row, kKindColumn);
             PressKeys({VK_RETURN});
         }},
        {"Enter on a row reached with the arrow keys", "3", IDC_TEXT, "Kind regards,\r\nThe desk",
         [this](int row) {
             ClickRow(row + 1);
             PressKeys({VK_UP});
             ASSERT_TRUE(WaitUntil([&] { return SelectedListRow(Control(IDC_SHORTCUT_LIST)) == row; }));
             PressKeys({VK_RETURN});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        c.open(RowOf(c.key));
        HWND edit = WaitForEditOrMessage();
        ASSERT_NE(edit, nullptr) << "nothing opened";
        if (IsMessageBox(edit)) {
            const Question said = ReadMessageBox(edit);
            CloseMessageBox(edit, IDOK);
            FAIL() << "instead of the row: \"" << said.text << '"';
        }
        EXPECT_EQ(ComboSelection(::GetDlgItem(edit, IDC_KEY_COMBO)), c.key);
        EXPECT_EQ(ControlText(::GetDlgItem(edit, c.box)), c.payload);
        ::PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(edit); }));
        Settle();
    }
    EXPECT_EQ(Rows().size(), 4u) << "a way of opening changed the list";
}

TEST_F(ShortcutListTest, AClickedRowIsShownReadOnlyWithItsKey)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    struct Case {
        const char* key;
        int radio;
        int box;
        const char* payload;
    } cases[] = {
        {"B", IDC_PATH_RADIO, IDC_PATH, "c:\\reports"},
        {"3", IDC_TEXT_RADIO, IDC_TEXT, "Kind regards,\r\nThe desk"},
        {"G", IDC_GRAPHIC_RADIO, IDC_IMAGE, "c:\\images\\logo.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ClickRow(RowOf(c.key));
        EXPECT_EQ(SelectedKey(), c.key);
        EXPECT_TRUE(IsChecked(c.radio));
        EXPECT_EQ(Text(c.box), c.payload);
        for (int id : kFormControls)
            EXPECT_FALSE(IsEnabled(id)) << id;
        EXPECT_TRUE(IsEnabled(IDC_KEY_COMBO));
        EXPECT_TRUE(IsReadOnly(IDC_IMAGE));
        EXPECT_FALSE(HintVisible());
        // Only the viewed row's key joins the free ones, at its place.
        EXPECT_EQ(Keys().size(), 45u);
        for (const char* other : {"3", "B", "G"})
            EXPECT_EQ(Offers(other), std::string(other) == c.key) << other;
    }
    std::vector<std::string> keys = Keys();
    EXPECT_EQ(std::find(keys.begin(), keys.end(), "G") - keys.begin(), 14) << "G between F and H";
}

TEST_F(ShortcutListTest, ClickingBesideTheRowsEndsTheView)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    ClickRow(RowOf("B"));
    ASSERT_FALSE(IsEnabled(IDC_ACCEPT));
    ClickBelowRows();
    EXPECT_EQ(SelectedListRow(Control(IDC_SHORTCUT_LIST)), -1);
    EXPECT_FALSE(Offers("B"));
    EXPECT_EQ(SelectedKey(), "0");
    EXPECT_TRUE(IsEnabled(IDC_ACCEPT));
    EXPECT_TRUE(IsEnabled(IDC_PATH));
    EXPECT_EQ(Text(IDC_PATH), "");
    EXPECT_TRUE(HintVisible());
}

TEST_F(ShortcutListTest, PickingAnotherKeyWhileViewingGivesABlankFormForThatKey)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    for (const char* viewed : {"B", "3"}) {
        SCOPED_TRACE(viewed);
        ClickRow(RowOf(viewed));
        ASSERT_NO_FATAL_FAILURE(PickKey("D"));
        Settle();
        EXPECT_FALSE(Offers(viewed));
        EXPECT_EQ(SelectedKey(), "D");
        EXPECT_EQ(SelectedListRow(Control(IDC_SHORTCUT_LIST)), -1);
        EXPECT_TRUE(IsEnabled(IDC_ACCEPT));
        EXPECT_EQ(Text(IDC_PATH), "");
        EXPECT_EQ(Text(IDC_TEXT), "");
        EXPECT_EQ(Rows().size(), 4u);
    }
    // The blank form takes a new shortcut for the picked key.
    SetText(IDC_TEXT, "new");
    EXPECT_EQ(Click(IDC_ACCEPT), std::nullopt);
    EXPECT_EQ(RowKeys(), (std::vector<std::string>{"3", "B", "D", "G", "F12"}));
    EXPECT_EQ(Rows()[1].payload, "c:\\reports") << "the viewed row kept its payload";
}

TEST_F(ShortcutListTest, DeleteFreesTheRowsKeyAtItsPlace)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    struct Case {
        const char* key;
        size_t index;  // where the freed key shows in the combo
        bool byKey;    // the Delete key on the row rather than the button
    } cases[] = {
        {"D", 11, true},      // after the digits but 3, A and C
        {"F12", 44, false},   // the last of all names goes back at the end
        {"B", 10, false},
    };
    ASSERT_EQ(AcceptPath("D", "c:\\drafts"), std::nullopt);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const size_t rowsBefore = Rows().size();
        ClickRow(RowOf(c.key));
        // Neither way asks first.
        if (c.byKey) {
            PressKeys({VK_DELETE});
            WaitUntil([&] { return Rows().size() < rowsBefore || FindMessageBox(ProgramId()); });
            EXPECT_EQ(FindMessageBox(ProgramId()), nullptr) << "the key asked first";
            Settle();
        } else {
            EXPECT_EQ(Click(IDC_DELETE_SHORTCUT), std::nullopt);
        }
        EXPECT_EQ(Rows().size(), rowsBefore - 1);
        EXPECT_EQ(RowOf(c.key), static_cast<int>(Rows().size()));
        std::vector<std::string> keys = Keys();
        ASSERT_GT(keys.size(), c.index);
        EXPECT_EQ(keys[c.index], c.key);
        // The path kind asks for the next path, writing the freed key back as the selection.
        EXPECT_EQ(SelectedKey(), c.key);
        EXPECT_TRUE(IsEnabled(IDC_ACCEPT));
        EXPECT_TRUE(HintVisible());
    }
}

TEST_F(ShortcutListTest, DeletingARowReachedWithTheArrowKeysKeepsTheViewedRowsKeyInUse)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    ClickRow(RowOf("B"));
    PressKeys({VK_DOWN});
    ASSERT_TRUE(WaitUntil([&] { return SelectedListRow(Control(IDC_SHORTCUT_LIST)) == RowOf("G"); }));
    Settle();
    EXPECT_EQ(Click(IDC_DELETE_SHORTCUT), std::nullopt);
    EXPECT_EQ(RowKeys(), (std::vector<std::string>{"3", "B", "F12"}));
    EXPECT_TRUE(Offers("G"));
    EXPECT_FALSE(Offers("B")) << "B is still used by its row";
}

TEST_F(ShortcutListTest, EditAndDeleteWithoutASelectedRowSayNothingWasSelected)
{
    ASSERT_NO_FATAL_FAILURE(Start(kFourShortcuts));
    for (int button : {IDC_EDIT_SHORTCUT, IDC_DELETE_SHORTCUT}) {
        SCOPED_TRACE(button);
        HWND control = Control(button);
        const std::optional<Question> said = Answer([control] { ::SendMessageW(control, BM_CLICK, 0, 0); }, IDOK);
        ASSERT_TRUE(said.has_value()) << "no message";
        EXPECT_EQ(said->text, "No items were selected.");
        EXPECT_EQ(said->caption, "Tarnwick");
        EXPECT_TRUE(said->icon) << "a message without its icon";
        EXPECT_EQ(Rows().size(), 4u);
        EXPECT_EQ(Keys().size(), 44u);
    }
}

}  // namespace
