#pragma once
// Drives the main dialog as a user would: the entry form's buttons and radios
// clicked, keys picked in the combo, rows of the shortcut list clicked with the
// mouse, pictures pasted, the list saved with OK or the close box, and the message
// boxes all of these bring up read and answered.
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/FileDialogDriver.h"
#include "tests/wine/support/MessageBoxDriver.h"
#include "tests/wine/support/ProgramTest.h"
#include "tests/wine/support/RemoteControls.h"
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wt {

constexpr char kImagePrompt[] = "Paste clipboard image here.";
constexpr char kImageAccepted[] = "Image Accepted.";
constexpr char kSaveBitmapTitle[] = "select file to save the bitmap";

// Earlier names of the program's ids, for tests written with them; the ids are
// res/resource.h's.
constexpr UINT kTrayOpenCommand = ID_TRAY_OPEN;
constexpr UINT kTrayExitCommand = ID_TRAY_EXIT;
constexpr int kSaveButton = IDC_SAVE;
constexpr int kNotifyText = IDC_NOTIFY_TEXT;
enum EditorControl : int {
    kKeyCombo = IDC_KEY_COMBO,
    kPathBox = IDC_PATH,
    kFolderBrowse = IDC_FOLDER_BROWSE,
    kAccept = IDC_ACCEPT,
    kShortcutList = IDC_SHORTCUT_LIST,
    kEditButton = IDC_EDIT_SHORTCUT,
    kDeleteButton = IDC_DELETE_SHORTCUT,
    kPathRadio = IDC_PATH_RADIO,
    kTextRadio = IDC_TEXT_RADIO,
    kTextBox = IDC_TEXT,
    kFileBrowse = IDC_FILE_BROWSE,
    kGraphicRadio = IDC_GRAPHIC_RADIO,
    kImageBox = IDC_IMAGE,
    kEmail = IDC_EMAIL,
};

// A 3 x 2 picture whose pixels tell rows and columns apart.
const Picture& TestPicture();
void PutTestPictureOnClipboard();
// The same as plain pixels, and the clipboard's picture as such (empty when it holds
// none), for tests written with them.
const std::vector<COLORREF>& TestPicturePixels();
constexpr int kPictureWidth = 3;
constexpr int kPictureHeight = 2;
std::vector<COLORREF> ClipboardPixels(int& width, int& height);

bool IsSaveBitmapDialog(HWND dialog);

// The main dialog with the program behind it. Helpers that can fail stop the test
// when called under ASSERT_NO_FATAL_FAILURE; those that return what the dialog said
// leave the verdict to the test.
class EditorTest : public ProgramTest {
protected:
    EditorTest() = default;
    // The programs in a folder of that name, as ProgramTest's.
    explicit EditorTest(const std::string& folderName) : ProgramTest(folderName) {}

    // Starts the NT edition with these settings and brings its dialog on screen.
    void Start(const std::string& settings = "");
    // Starts without settings and waits until the form asks for a path with its hint.
    void StartForm();
    // Ends the program by the tray's Exit and starts it again on the file it saved.
    void Restart();

    HWND Control(int id) const { return ::GetDlgItem(m_dialog, id); }

    // Runs the action; the text of a message box it brought up, which is closed.
    std::optional<std::string> AnswerMessageBox(const std::function<void()>& action);
    // Runs the action; a message box it brings up (other than `besides`) is read and
    // answered with `answer`, and the dialog has handled the answer on return.
    std::optional<Question> Answer(const std::function<void()>& action, int answer, HWND besides = nullptr);
    // Clicks a button or radio; the text of the message box it showed, if any.
    std::optional<std::string> Click(int id);
    std::optional<Question> PressSave(int answer = IDOK);
    std::optional<Question> PressCloseBox(int answer = IDOK);

    // Picks the key in the combo as the user would with the drop-down.
    void PickKey(const std::string& key);
    void SetText(int id, const std::string& text) { SetControlText(Control(id), text); }
    std::string Text(int id) const { return ControlText(Control(id)); }
    static std::string TextOf(HWND control) { return ControlText(control); }

    // Accepts a shortcut of the kind on the key; the message shown, if any.
    std::optional<std::string> AcceptPath(const std::string& key, const std::string& path);
    std::optional<std::string> AcceptText(const std::string& key, const std::string& text);
    // Clicks into the image box, pastes the test picture with Ctrl+V and names its
    // place in the save dialog that follows, overwriting what is there.
    void PastePicture(HWND imageBox, const std::string& location);

    std::vector<ListRow> Rows() const { return ListRows(Control(IDC_SHORTCUT_LIST)); }
    std::vector<std::string> RowKeys() const;
    std::vector<std::string> Keys() const { return ComboEntries(Control(IDC_KEY_COMBO)); }
    std::string SelectedKey() const { return ComboSelection(Control(IDC_KEY_COMBO)); }
    bool Offers(const std::string& key) const;

    bool IsEnabled(int id) const { return ::IsWindowEnabled(Control(id)) != FALSE; }
    bool IsChecked(int id) const { return ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool IsReadOnly(int id) const { return (::GetWindowLongW(Control(id), GWL_STYLE) & ES_READONLY) != 0; }
    // The hint is a child window of the path box.
    bool HintVisible() const;

    // A real mouse click on the row's text in that column, or on the list's empty
    // space below the rows.
    void ClickRow(int row, int column = kKeyColumn);
    void DoubleClickRow(int row, int column = kKeyColumn);
    void ClickBelowRows();
    // Input reaches the program through its queue, behind any message sent meanwhile.
    void AfterMouse() const;

    // Presses Tab once for each control of the dialog that the user can operate now,
    // then Shift+Tab as often: the focus must visit them in the order the screen shows
    // them and come back to where it started, either way.
    void ExpectTabInReadingOrder(HWND dialog) const;

    std::string Settings() const { return m_install.ReadFile("keyset.ini").value_or("(no file)"); }

private:
    bool TakesTheMouse() const;
    // Presses Tab (or Shift+Tab) `count` times; the id of the control the focus went to each time.
    std::vector<int> TabThrough(HWND dialog, size_t count, bool backwards) const;
    POINT OnRowText(int row, int column) const;
    std::optional<std::string> AcceptShortcut(const std::string& key, int radio, int box, const std::string& payload);
};

// The same, with the marker on the clipboard before each test.
class SaveAndEditTest : public EditorTest {
protected:
    void SetUp() override;
};

}  // namespace wt
