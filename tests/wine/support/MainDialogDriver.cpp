#include "tests/wine/support/MainDialogDriver.h"
#include <commctrl.h>
#include <algorithm>

namespace wt {

const Picture& TestPicture()
{
    static const Picture picture{kPictureWidth, kPictureHeight,
                                 {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203}};
    return picture;
}

void PutTestPictureOnClipboard()
{
    ASSERT_TRUE(PutPictureOnClipboard(TestPicture())) << "the clipboard did not take the picture";
}

const std::vector<COLORREF>& TestPicturePixels()
{
    return TestPicture().pixels;
}

std::vector<COLORREF> ClipboardPixels(int& width, int& height)
{
    const Picture picture = ClipboardPicture().value_or(Picture{});
    width = picture.width;
    height = picture.height;
    return picture.pixels;
}

bool IsSaveBitmapDialog(HWND dialog)
{
    return WindowText(dialog) == kSaveBitmapTitle;
}

void EditorTest::Start(const std::string& settings)
{
    ASSERT_NO_FATAL_FAILURE(StartShown(settings));
    ::SetForegroundWindow(m_dialog);
    Settle();
}

void EditorTest::StartForm()
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitUntil([&] { return HintVisible(); })) << "the form did not start with its hint";
}

void EditorTest::Restart()
{
    ::PostMessageW(m_dialog, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(m_program->WaitForExit(kStartTimeoutMs)) << "Exit did not end the program";
    ASSERT_NO_FATAL_FAILURE(RunProgram());
}

std::optional<std::string> EditorTest::AnswerMessageBox(const std::function<void()>& action)
{
    const std::optional<Question> question = RunAndAnswer(ProgramId(), action, IDOK);
    return question ? std::optional<std::string>(question->text) : std::nullopt;
}

std::optional<Question> EditorTest::Answer(const std::function<void()>& action, int answer, HWND besides)
{
    const std::optional<Question> question = RunAndAnswer(ProgramId(), action, answer, besides);
    Settle();
    return question;
}

std::optional<std::string> EditorTest::Click(int id)
{
    HWND button = Control(id);
    return AnswerMessageBox([button] { ::SendMessageW(button, BM_CLICK, 0, 0); });
}

std::optional<Question> EditorTest::PressSave(int answer)
{
    HWND button = Control(IDC_SAVE);
    return Answer([button] { ::SendMessageW(button, BM_CLICK, 0, 0); }, answer);
}

std::optional<Question> EditorTest::PressCloseBox(int answer)
{
    HWND dialog = m_dialog;
    return Answer([dialog] { ::SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, answer);
}

void EditorTest::PickKey(const std::string& key)
{
    HWND combo = Control(IDC_KEY_COMBO);
    ASSERT_TRUE(SelectComboEntry(combo, key)) << key << " is not offered";
    ::SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(IDC_KEY_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::optional<std::string> EditorTest::AcceptPath(const std::string& key, const std::string& path)
{
    return AcceptShortcut(key, IDC_PATH_RADIO, IDC_PATH, path);
}

std::optional<std::string> EditorTest::AcceptText(const std::string& key, const std::string& text)
{
    return AcceptShortcut(key, IDC_TEXT_RADIO, IDC_TEXT, text);
}

std::optional<std::string> EditorTest::AcceptShortcut(const std::string& key, int radio, int box,
                                                      const std::string& payload)
{
    PickKey(key);
    if (HasFatalFailure())
        return "(no shortcut: " + key + " could not be picked)";
    Click(radio);
    SetText(box, payload);
    return Click(IDC_ACCEPT);
}

void EditorTest::PastePicture(HWND imageBox, const std::string& location)
{
    ASSERT_NO_FATAL_FAILURE(PutTestPictureOnClipboard());
    ClickOn(imageBox);
    PressKeys({VK_CONTROL, 'V'});
    HWND save = WaitForProcessDialog(ProgramId(), IsSaveBitmapDialog);
    ASSERT_NE(save, nullptr) << "no save dialog";
    ASSERT_TRUE(FillFileDialog(save, location)) << "the save dialog has no file name box";
    // Choosing an existing file asks before it is overwritten: yes. The box's own
    // dialog has labels that look like a message box's text to the search.
    HWND boxDialog = ::GetAncestor(imageBox, GA_ROOT);
    ASSERT_TRUE(WaitUntil([&] {
        if (HWND ask = FindMessageBox(ProgramId(), boxDialog))
            CloseMessageBox(ask, IDYES);
        return ControlText(imageBox) == kImageAccepted;
    })) << ControlText(imageBox);
}

std::vector<std::string> EditorTest::RowKeys() const
{
    std::vector<std::string> keys;
    for (const ListRow& row : Rows())
        keys.push_back(row.key);
    return keys;
}

bool EditorTest::Offers(const std::string& key) const
{
    std::vector<std::string> keys = Keys();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

bool EditorTest::HintVisible() const
{
    HWND hint = ::GetWindow(Control(IDC_PATH), GW_CHILD);
    return hint && ::IsWindowVisible(hint);
}

bool EditorTest::TakesTheMouse() const
{
    // A dialog that has just closed over this one gives the mouse back only once this
    // one is enabled and in front again, which comes after its own window is gone.
    return WaitUntil([&] { return ::IsWindowEnabled(m_dialog) && ::GetForegroundWindow() == m_dialog; });
}

POINT EditorTest::OnRowText(int row, int column) const
{
    const RECT cell = ListCellScreenRect(Control(IDC_SHORTCUT_LIST), row, column);
    return {cell.left + 10, (cell.top + cell.bottom) / 2};
}

void EditorTest::ClickRow(int row, int column)
{
    ASSERT_TRUE(TakesTheMouse()) << "the dialog stays disabled or behind";
    const POINT at = OnRowText(row, column);
    ClickAt(at.x, at.y);
    // The click selects the row before the list tells the dialog of it.
    EXPECT_TRUE(WaitUntil([&] { return SelectedListRow(Control(IDC_SHORTCUT_LIST)) == row; }, 3000))
        << "the click did not select row " << row;
    AfterMouse();
}

void EditorTest::DoubleClickRow(int row, int column)
{
    ASSERT_TRUE(TakesTheMouse()) << "the dialog stays disabled or behind";
    const POINT at = OnRowText(row, column);
    DoubleClickAt(at.x, at.y);
}

void EditorTest::ClickBelowRows()
{
    // Just below the last row: the list's bottom edge holds its horizontal scroll bar.
    HWND list = Control(IDC_SHORTCUT_LIST);
    const int last = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) - 1;
    RECT bounds = ListRowScreenRect(list, last);
    ClickAt(bounds.left + 30, bounds.bottom + (bounds.bottom - bounds.top));
    AfterMouse();
}

void EditorTest::AfterMouse() const
{
    ::Sleep(150);
    Settle();
}

std::vector<int> EditorTest::TabThrough(HWND dialog, size_t count, bool backwards) const
{
    std::vector<int> visited;
    for (size_t i = 0; i < count; ++i) {
        HWND before = FocusedControl(dialog);
        if (backwards)
            PressKeys({VK_SHIFT, VK_TAB});
        else
            PressKeys({VK_TAB});
        WaitUntil([&] { return FocusedControl(dialog) != before; }, 3000);
        visited.push_back(::GetDlgCtrlID(FocusedControl(dialog)));
    }
    return visited;
}

void EditorTest::ExpectTabInReadingOrder(HWND dialog) const
{
    std::vector<int> order;
    for (HWND control : ControlsInReadingOrder(dialog))
        order.push_back(::GetDlgCtrlID(control));
    const int first = ::GetDlgCtrlID(FocusedControl(dialog));
    const auto start = std::find(order.begin(), order.end(), first);
    ASSERT_NE(start, order.end()) << "the focus starts on control " << first << ", which the user cannot operate";
    std::vector<int> forward(start + 1, order.end());
    forward.insert(forward.end(), order.begin(), start + 1);
    EXPECT_EQ(TabThrough(dialog, order.size(), false), forward);
    std::vector<int> backward(forward.rbegin() + 1, forward.rend());
    backward.push_back(forward.back());
    EXPECT_EQ(TabThrough(dialog, order.size(), true), backward);
}

void SaveAndEditTest::SetUp()
{
    EditorTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(PutMarkerOnClipboard());
}

}  // namespace wt
