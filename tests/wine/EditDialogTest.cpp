// The edit dialog: a row changed in place or moved to another key, its kind changed,
// the refusals of its OK, and Cancel, which must leave the row and its picture alone.
#include "tests/wine/support/MainDialogDriver.h"

using namespace wt;

namespace {

class EditDialogTest : public SaveAndEditTest {
protected:
    // Clicks the row and the Edit button; the dialog that opens.
    HWND OpenEdit(int row)
    {
        if (row >= 0)
            ClickRow(row);
        ::PostMessageA(Control(IDC_EDIT_SHORTCUT), BM_CLICK, 0, 0);
        m_edit = WaitForProcessDialog(ProgramId(), [](HWND w) { return WindowText(w) == "Edit"; });
        return m_edit;
    }
    HWND EditItem(int id) const { return ::GetDlgItem(m_edit, id); }
    std::string EditText(int id) const { return ControlText(EditItem(id)); }
    void SetEditText(int id, const std::string& text) const { SetControlText(EditItem(id), text); }
    bool EditChecked(int id) const { return ::SendMessageA(EditItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void ClickInEdit(int id) const { ::SendMessageA(EditItem(id), BM_CLICK, 0, 0); }
    void PickEditKey(const std::string& key) const
    {
        ASSERT_TRUE(SelectComboEntry(EditItem(IDC_KEY_COMBO), key)) << key << " is not offered";
    }
    // Presses OK; the message it showed, if any. Without one the dialog must be gone.
    std::optional<std::string> PressEditOK()
    {
        HWND ok = EditItem(IDOK);
        std::optional<Question> message = Answer([ok] { ::SendMessageA(ok, BM_CLICK, 0, 0); }, IDOK, m_edit);
        if (!message) {
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(m_edit); }, 3000)) << "OK left the dialog open";
            Settle();
            return std::nullopt;
        }
        EXPECT_TRUE(::IsWindowVisible(m_edit)) << "the dialog closed over a refusal";
        return message->text;
    }
    void PressEditCancel()
    {
        ::PostMessageA(m_edit, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(m_edit); }, 3000));
        Settle();
    }

    HWND m_edit = nullptr;
};

TEST_F(EditDialogTest, ARowIsChangedInPlaceOrMovedToItsNewKey)
{
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nA=c:\\old\r\n[contents]\r\nB=bee\r\n"));
    ASSERT_NE(OpenEdit(0), nullptr);
    EXPECT_TRUE(EditChecked(IDC_PATH_RADIO));
    EXPECT_EQ(EditText(IDC_PATH), "c:\\old");
    EXPECT_FALSE(::IsWindowEnabled(EditItem(IDC_TEXT)));
    EXPECT_EQ(ComboEntries(EditItem(IDC_KEY_COMBO)), Keys()) << "the free keys and the row's own";
    EXPECT_EQ(ComboSelection(EditItem(IDC_KEY_COMBO)), "A");
    SetEditText(IDC_PATH, " \t ");
    EXPECT_EQ(PressEditOK(), std::optional<std::string>("Please choose path."));
    SetEditText(IDC_PATH, "  c:\\new  ");
    EXPECT_EQ(PressEditOK(), std::nullopt);
    EXPECT_EQ(Rows().front().key, "A");
    EXPECT_EQ(Rows().front().payload, "c:\\new");
    EXPECT_FALSE(Offers("A"));
    EXPECT_EQ(Keys().size(), 46u);
    EXPECT_TRUE(IsEnabled(IDC_ACCEPT)) << "the form is editable again";

    // An empty text is a valid change here.
    ASSERT_NE(OpenEdit(1), nullptr);
    EXPECT_TRUE(EditChecked(IDC_TEXT_RADIO));
    EXPECT_EQ(EditText(IDC_TEXT), "bee");
    SetEditText(IDC_TEXT, "");
    EXPECT_EQ(PressEditOK(), std::nullopt);
    EXPECT_EQ(Rows()[1].payload, "");

    // The key is picked before the kind's radio: the radio must not undo the pick.
    ASSERT_NE(OpenEdit(0), nullptr);
    ASSERT_NO_FATAL_FAILURE(PickEditKey("Z"));
    ClickInEdit(IDC_PATH_RADIO);
    EXPECT_EQ(EditText(IDC_PATH), "") << "the path radio starts an empty path";
    SetEditText(IDC_PATH, "c:\\moved");
    EXPECT_EQ(PressEditOK(), std::nullopt);
    EXPECT_EQ(RowKeys(), (std::vector<std::string>{"B", "Z"}));
    EXPECT_TRUE(Offers("A")) << "the old key is free again";
    EXPECT_FALSE(Offers("Z"));
    std::vector<std::string> keys = Keys();
    EXPECT_EQ(std::find(keys.begin(), keys.end(), "A") - keys.begin(), 10) << "A back between 9 and C";

    // A row reached with the arrow keys is the one edited.
    ClickRow(0);
    PressKeys({VK_DOWN});
    AfterMouse();
    ASSERT_EQ(SelectedListRow(Control(IDC_SHORTCUT_LIST)), 1);
    ASSERT_NE(OpenEdit(-1), nullptr);
    EXPECT_EQ(ComboSelection(EditItem(IDC_KEY_COMBO)), "Z");
    EXPECT_EQ(EditText(IDC_PATH), "c:\\moved");
    PressEditCancel();

    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_EQ(Settings(), "[contents]\r\nB=\r\n[paths]\r\nZ=c:\\moved\r\n");
}

TEST_F(EditDialogTest, APathBecomesAPictureOnlyOnceOneIsPastedAndWritten)
{
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nA=c:\\old\r\n"));
    const std::string picture = m_install.Path("images\\a.bmp");
    ASSERT_NE(OpenEdit(0), nullptr);
    ClickInEdit(IDC_GRAPHIC_RADIO);
    EXPECT_EQ(EditText(IDC_IMAGE), kImagePrompt);
    EXPECT_EQ(PressEditOK(), std::optional<std::string>("Please paste a image in the editbox."));

    ASSERT_NO_FATAL_FAILURE(PastePicture(EditItem(IDC_IMAGE), picture));
    // Something already stands where the picture goes: the copy fails.
    ASSERT_TRUE(::CreateDirectoryA(picture.c_str(), nullptr));
    std::optional<std::string> message = PressEditOK();
    ASSERT_TRUE(message.has_value()) << "the failed copy went unreported";
    EXPECT_NE(message->find(picture), std::string::npos) << *message;
    EXPECT_EQ(Rows().front().payload, "c:\\old");

    ::RemoveDirectoryA(picture.c_str());
    EXPECT_EQ(PressEditOK(), std::nullopt);
    EXPECT_EQ(Rows().front().payload, picture);
    const std::optional<std::string> file = m_install.ReadFile("images\\a.bmp");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->substr(0, 2), "BM");
    EXPECT_EQ(PressSave(), std::nullopt);
    EXPECT_EQ(Settings(), "[graphics]\r\nA=" + picture + "\r\n");
}

TEST_F(EditDialogTest, CancelAfterAPasteLeavesTheRowAndItsPicture)
{
    const std::string old = m_install.Path("old.bmp");
    m_install.WriteFile("old.bmp", "the old picture");
    ASSERT_NO_FATAL_FAILURE(Start("[graphics]\r\nG=" + old + "\r\n"));
    ASSERT_NE(OpenEdit(0), nullptr);
    EXPECT_TRUE(EditChecked(IDC_GRAPHIC_RADIO));
    EXPECT_EQ(EditText(IDC_IMAGE), old);
    ASSERT_NO_FATAL_FAILURE(PastePicture(EditItem(IDC_IMAGE), old));
    PressEditCancel();
    EXPECT_EQ(Rows().front().payload, old);
    EXPECT_EQ(m_install.ReadFile("old.bmp"), std::optional<std::string>("the old picture"));

    // Without a paste, OK keeps the picture and copies nothing.
    ASSERT_NE(OpenEdit(0), nullptr);
    EXPECT_EQ(PressEditOK(), std::nullopt);
    EXPECT_EQ(Rows().front().payload, old);
    EXPECT_EQ(m_install.ReadFile("old.bmp"), std::optional<std::string>("the old picture"));
}

TEST_F(EditDialogTest, ATextOverTwoHundredCharactersIsRefusedWithItsReason)
{
    Start("[contents]\r\nT=tea\r\n");
    ASSERT_NE(OpenEdit(0), nullptr);
    ASSERT_TRUE(EditChecked(kTextRadio));
    // Typing stops at 200 characters; a longer text put there from outside is refused.
    SetEditText(kTextBox, std::string(201, 'x'));
    EXPECT_EQ(PressEditOK(), std::optional<std::string>("Enter no more than 200 characters."));
    EXPECT_EQ(Rows().front().payload, "tea");
    PressEditCancel();
    EXPECT_EQ(Rows().front().payload, "tea");
}

// Wine's own dialog manager moves the focus, on real keys, as in the main dialog.
TEST_F(EditDialogTest, TabVisitsTheControlsInReadingOrder)
{
    ASSERT_NO_FATAL_FAILURE(Start("[paths]\r\nA=c:\\old\r\n"));
    ASSERT_NE(OpenEdit(0), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_edit; })) << "the keys would go elsewhere";
    const struct {
        const char* state;
        std::function<void()> enter;
    } cases[] = {
        {"a path", [] {}},
        {"changed to a text", [this] { ClickOn(EditItem(IDC_TEXT_RADIO)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        c.enter();
        Settle();
        ExpectTabInReadingOrder(m_edit);
    }
    PressEditCancel();
}

}  // namespace
