#include "actions/FileDialogRecognizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace {

// One window of a made-up tree. `label` names it for the cases below; `parent` is the
// label of the window it is a child of ("" for the frame). Siblings come in list order.
struct Node {
    std::string label;
    std::string parent;
    std::string className;
    int id = 0;
    std::string caption;
};
using Tree = std::vector<Node>;

// A desktop of made-up windows; it counts every look inside a window so a test can
// tell whether the recognizer poked around in it.
class FakeWindows : public WindowQuery {
public:
    WindowRef Add(const std::string& className, WindowRef parent = 0, int id = 0, const std::string& caption = {})
    {
        const WindowRef ref = next_++;
        windows_.push_back({ref, className, parent, id, caption});
        return ref;
    }

    // Builds the tree and returns its windows by label. A node whose parent is not in
    // the tree hangs nowhere, and so does everything below it.
    std::map<std::string, WindowRef> Build(const Tree& tree)
    {
        std::map<std::string, WindowRef> refs;
        const size_t first = windows_.size();
        for (const Node& node : tree)
            refs[node.label] = Add(node.className, 0, node.id, node.caption);
        for (size_t i = 0; i < tree.size(); ++i) {
            const auto parent = refs.find(tree[i].parent);
            windows_[first + i].parent = tree[i].parent.empty() ? 0 : parent == refs.end() ? kNowhere : parent->second;
        }
        return refs;
    }

    std::string ClassName(WindowRef window) const override
    {
        for (const Window& w : windows_)
            if (w.ref == window)
                return w.className;
        return std::string();
    }

    WindowRef Child(WindowRef parent, int id) const override
    {
        ++lookups;
        for (const Window& w : windows_)
            if (w.parent == parent && w.id == id)
                return w.ref;
        return 0;
    }

    std::vector<WindowRef> Children(WindowRef parent) const override
    {
        ++lookups;
        std::vector<WindowRef> children;
        for (const Window& w : windows_)
            if (w.parent == parent)
                children.push_back(w.ref);
        return children;
    }

    std::string Caption(WindowRef window) const override
    {
        for (const Window& w : windows_)
            if (w.ref == window)
                return w.caption;
        return std::string();
    }

    mutable int lookups = 0;

private:
    struct Window {
        WindowRef ref;
        std::string className;
        WindowRef parent;
        int id;
        std::string caption;
    };
    static constexpr WindowRef kNowhere = 1;
    std::vector<Window> windows_;   // siblings in the order they were added
    WindowRef next_ = 0x100;
};

// The trees of the dialogs we drive. Each has a "name box" (the file-name field) and an
// "ok" button.

// The Explorer-style dialog of Windows 98 to XP, which is also what GetOpenFileName
// shows under Wine.
const Tree kExplorerStyle = {
    {"frame", "", "#32770"},
    {"file list container", "frame", "SHELLDLL_DefView", 1121},
    {"file list", "file list container", "SysListView32", 1},
    {"name combo", "frame", "ComboBoxEx32", 1148},
    {"name inner combo", "name combo", "ComboBox", 1148},
    {"name box", "name inner combo", "Edit", 1148},
    {"ok", "frame", "Button", 1},
};

// The open dialog of Windows Vista to 11.
const Tree kItemOpen = {
    {"frame", "", "#32770"},
    {"view host", "frame", "DUIViewWndClassName"},
    {"view", "view host", "DirectUIHWND"},
    {"name combo", "frame", "ComboBoxEx32", 1148},
    {"name inner combo", "name combo", "ComboBox", 1148},
    {"name box", "name inner combo", "Edit", 1148},
    {"types", "frame", "ComboBox", 1136},
    {"ok", "frame", "Button", 1},
    {"cancel", "frame", "Button", 2},
};

// The save dialog of Windows Vista to 11: its name box deep in the view host, beside
// the file-type box, and no "ComboBoxEx32".
const Tree kItemSave = {
    {"frame", "", "#32770"},
    {"view host", "frame", "DUIViewWndClassName"},
    {"view", "view host", "DirectUIHWND"},
    {"name sink", "view", "FloatNotifySink"},
    {"name combo", "name sink", "ComboBox"},
    {"name box", "name combo", "Edit", 1001},
    {"type sink", "view", "FloatNotifySink"},
    {"type combo", "type sink", "ComboBox"},
    {"ok", "frame", "Button", 1},
    {"cancel", "frame", "Button", 2},
};

// Wine's IFileOpenDialog and IFileSaveDialog, as a dump of the real one shows it.
const Tree kWineItem = {
    {"frame", "", "#32770"},
    {"container pane", "frame", "idlg_container_pane"},
    {"name label", "frame", "Static", 1090},
    {"name box", "frame", "Edit", 1152},
    {"types", "frame", "ComboBox", 1136},
    {"ok", "frame", "Button", 1},
    {"cancel", "frame", "Button", 2},
    {"browser", "frame", "ExplorerBrowserControl"},
    {"shell view", "browser", "SHELLDLL_DefView"},
    {"file list", "shell view", "SysListView32", 1},
    {"toolbar", "frame", "ToolbarWindow32", 200},
};

// Other "#32770" windows that must be left alone.
const Tree kMessageBox = {
    {"frame", "", "#32770"},
    {"icon", "frame", "Static", 20},
    {"text", "frame", "Static", 0xFFFF},
    {"ok", "frame", "Button", 1},
};

// GetOpenFileName without OFN_EXPLORER: an edit 1152 for the name, list boxes for files
// and folders (the folder list has id 1121), but no shell view.
const Tree kNonExplorerDialog = {
    {"frame", "", "#32770"},
    {"name label", "frame", "Static", 1090},
    {"name box", "frame", "Edit", 1152},
    {"files", "frame", "ListBox", 1120},
    {"folders", "frame", "ListBox", 1121},
    {"types", "frame", "ComboBox", 1136},
    {"drives", "frame", "ComboBox", 1137},
    {"ok", "frame", "Button", 1},
    {"cancel", "frame", "Button", 2},
};

const Tree kPropertySheet = {
    {"frame", "", "#32770"},
    {"tabs", "frame", "SysTabControl32", 12320},
    {"page", "frame", "#32770"},
    {"page edit", "page", "Edit", 1152},
    {"ok", "frame", "Button", 1},
    {"cancel", "frame", "Button", 2},
    {"apply", "frame", "Button", 12321},
};

Node& Find(Tree& tree, const std::string& label)
{
    const auto it = std::find_if(tree.begin(), tree.end(), [&](const Node& n) { return n.label == label; });
    EXPECT_NE(it, tree.end()) << "no node " << label;
    return *it;
}

Tree Without(Tree tree, const std::string& label)
{
    tree.erase(std::remove_if(tree.begin(), tree.end(), [&](const Node& n) { return n.label == label; }), tree.end());
    return tree;
}

Tree WithClass(Tree tree, const std::string& label, const std::string& className)
{
    Find(tree, label).className = className;
    return tree;
}

Tree WithId(Tree tree, const std::string& label, int id)
{
    Find(tree, label).id = id;
    return tree;
}

Tree MovedUnder(Tree tree, const std::string& label, const std::string& parent)
{
    Find(tree, label).parent = parent;
    return tree;
}

// The node becomes the first among its siblings.
Tree First(Tree tree, const std::string& label)
{
    const Node node = Find(tree, label);
    tree = Without(tree, label);
    tree.insert(tree.begin(), node);
    return tree;
}

Tree InOtherLetterCase(Tree tree)
{
    bool upper = true;
    for (Node& node : tree) {
        for (char& c : node.className)
            c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c)) : std::tolower(static_cast<unsigned char>(c)));
        upper = !upper;
    }
    return tree;
}

struct TreeCase {
    const char* name;
    Tree tree;
    FileDialogKind kind;   // None: not a file dialog
};

void PrintTo(const TreeCase& c, std::ostream* os)
{
    *os << c.name;
}

class RecognizeTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(RecognizeTreeTest, FindsTheNameBoxAndOkOrNothing)
{
    FakeWindows windows;
    std::map<std::string, WindowRef> refs = windows.Build(GetParam().tree);

    const FileDialogTarget target = RecognizeFileDialog(windows, refs["frame"]);

    EXPECT_EQ(target.kind, GetParam().kind);
    if (GetParam().kind == FileDialogKind::None) {
        EXPECT_EQ(target.fileNameBox, 0u);
        EXPECT_EQ(target.okButton, 0u);
    } else {
        EXPECT_EQ(target.fileNameBox, refs["name box"]);
        EXPECT_EQ(target.okButton, refs["ok"]);
    }
}

constexpr FileDialogKind kNone = FileDialogKind::None;
constexpr FileDialogKind kCommon = FileDialogKind::Common;
constexpr FileDialogKind kOpen = FileDialogKind::ItemOpen;
constexpr FileDialogKind kSave = FileDialogKind::ItemSave;
constexpr FileDialogKind kWine = FileDialogKind::WineItem;

INSTANTIATE_TEST_SUITE_P(Dialogs, RecognizeTreeTest, ::testing::Values(
    TreeCase{"ExplorerStyle", kExplorerStyle, kCommon},
    TreeCase{"ItemOpen", kItemOpen, kOpen},
    TreeCase{"ItemOpenWithItsNameComboDeeper", MovedUnder(kItemOpen, "name combo", "view"), kOpen},
    TreeCase{"ItemSave", kItemSave, kSave},
    TreeCase{"ItemSaveWithTheTypeBoxFirst", First(kItemSave, "type sink"), kSave},
    TreeCase{"WineItem", kWineItem, kWine},
    // Trees one node away from a dialog we drive.
    TreeCase{"MessageBox", kMessageBox, kNone},
    TreeCase{"PropertySheet", kPropertySheet, kNone},
    TreeCase{"NonExplorerDialog", kNonExplorerDialog, kNone},
    TreeCase{"OldStyleDialog", Without(kExplorerStyle, "file list container"), kNone},
    TreeCase{"NoFileList", Without(kExplorerStyle, "file list"), kNone},
    TreeCase{"FileListOfOtherClass", WithClass(kExplorerStyle, "file list", "ListBox"), kNone},
    TreeCase{"NoFileNameCombo", Without(kExplorerStyle, "name combo"), kNone},
    TreeCase{"PlainComboInsteadOfComboEx", WithClass(kExplorerStyle, "name combo", "ComboBox"), kNone},
    TreeCase{"NoInnerCombo", Without(kExplorerStyle, "name inner combo"), kNone},
    TreeCase{"InnerComboOfOtherClass", WithClass(kExplorerStyle, "name inner combo", "Edit"), kNone},
    TreeCase{"NoEditField", Without(kExplorerStyle, "name box"), kNone},
    TreeCase{"EditFieldOfOtherClass", WithClass(kExplorerStyle, "name box", "RichEdit20W"), kNone},
    TreeCase{"NoOkButton", Without(kExplorerStyle, "ok"), kNone},
    TreeCase{"OkControlNotAButton", WithClass(kExplorerStyle, "ok", "Static"), kNone},
    TreeCase{"FrameOfOtherClass", WithClass(kExplorerStyle, "frame", "#32771"), kNone},
    TreeCase{"ItemOpenWithoutViewHost", Without(kItemOpen, "view host"), kNone},
    TreeCase{"ItemOpenComboExWithoutItsEdit", Without(kItemOpen, "name box"), kNone},
    TreeCase{"ItemOpenComboExOfOtherId", WithId(kItemOpen, "name combo", 1149), kNone},
    TreeCase{"ItemSaveEditOfOtherId", WithId(kItemSave, "name box", 1002), kNone},
    TreeCase{"ItemSaveStepOfOtherClass", WithClass(kItemSave, "name sink", "CtrlNotifySink"), kNone},
    TreeCase{"ItemSaveStepLeftOut", MovedUnder(kItemSave, "name sink", "view host"), kNone},
    TreeCase{"ItemSaveWithoutOkButton", Without(kItemSave, "ok"), kNone},
    TreeCase{"WineItemWithoutShellView", Without(kWineItem, "shell view"), kNone},
    TreeCase{"WineItemNameBoxNotUnderTheFrame", MovedUnder(kWineItem, "name box", "container pane"), kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecognizeFileDialog, IgnoresLetterCaseOfClassNames)
{
    const struct {
        const Tree& tree;
        FileDialogKind kind;
    } cases[] = {{kExplorerStyle, kCommon}, {kItemOpen, kOpen}, {kItemSave, kSave}, {kWineItem, kWine}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        FakeWindows windows;
        std::map<std::string, WindowRef> refs = windows.Build(InOtherLetterCase(c.tree));
        EXPECT_EQ(RecognizeFileDialog(windows, refs["frame"]).kind, c.kind);
    }
}

TEST(RecognizeFileDialog, FindsTheFileNameBoxOfBothOfficeDialogClasses)
{
    for (const char* frameClass : {"bosa_sdm_Microsoft Word 9.0", "bosa_sdm_Mso96", "BOSA_SDM_MSO96"}) {
        SCOPED_TRACE(frameClass);
        FakeWindows windows;
        const WindowRef frame = windows.Add(frameClass);
        const WindowRef box = windows.Add("RichEdit20W", frame, 48);

        const FileDialogTarget target = RecognizeFileDialog(windows, frame);

        EXPECT_EQ(target.kind, FileDialogKind::Office);
        EXPECT_EQ(target.fileNameBox, box);
        EXPECT_EQ(target.okButton, 0u);
    }
}

TEST(RecognizeFileDialog, RejectsOfficeDialogWithoutItsFileNameBox)
{
    struct Case {
        const char* childClass;
        int childId;
    };
    for (const Case& c : {Case{nullptr, 0}, Case{"RichEdit20W", 47}, Case{"Edit", 48}}) {
        SCOPED_TRACE(c.childClass ? c.childClass : "no child");
        FakeWindows windows;
        const WindowRef frame = windows.Add("bosa_sdm_Mso96");
        if (c.childClass)
            windows.Add(c.childClass, frame, c.childId);

        EXPECT_EQ(RecognizeFileDialog(windows, frame).kind, FileDialogKind::None);
    }
}

TEST(RecognizeFileDialog, DoesNotLookInsideWindowsOfOtherClasses)
{
    // Even a window that holds a complete dialog's controls is not ours to drive.
    FakeWindows windows;
    Tree tree = WithClass(kItemSave, "frame", "Notepad");
    tree.push_back({"office name box", "frame", "RichEdit20W", 48});
    std::map<std::string, WindowRef> refs = windows.Build(tree);

    EXPECT_EQ(RecognizeFileDialog(windows, refs["frame"]).kind, FileDialogKind::None);
    EXPECT_EQ(windows.lookups, 0);
}

TEST(RecognizeFileDialog, NoForegroundWindowIsNotADialog)
{
    FakeWindows windows;
    EXPECT_EQ(RecognizeFileDialog(windows, 0).kind, FileDialogKind::None);
    EXPECT_EQ(windows.lookups, 0);
}

} // namespace

namespace {
Tree WithCaption(Tree tree, const std::string& label, const std::string& caption)
{
    Find(tree, label).caption = caption;
    return tree;
}
}  // namespace

// A path must never become the name a save dialog saves under: a save dialog is told
// apart from an open dialog, by its tree where the two differ, else by its OK button.
TEST(RecognizeFileDialog, ToldSaveDialogsApartFromOpenDialogs)
{
    const struct {
        const char* what;
        Tree tree;
        bool saves;
    } cases[] = {
        {"Explorer style, Open", WithCaption(kExplorerStyle, "ok", "&Open"), false},
        {"Explorer style, Save", WithCaption(kExplorerStyle, "ok", "&Save"), true},
        {"Explorer style, German", WithCaption(kExplorerStyle, "ok", "&Speichern"), true},
        {"Explorer style, Russian", WithCaption(kExplorerStyle, "ok", "&\xD0\xA1\xD0\xBE\xD1\x85\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x82\xD1\x8C"), true},
        {"Explorer style, a save-as of another word", WithCaption(kExplorerStyle, "ok", "Save as PDF"), false},
        {"Vista to 11 open, whatever its button says", WithCaption(kItemOpen, "ok", "&Save"), false},
        {"Vista to 11 save", WithCaption(kItemSave, "ok", "&Open"), true},
        {"Wine's, Open", WithCaption(kWineItem, "ok", "&Open"), false},
        {"Wine's, Save", WithCaption(kWineItem, "ok", "&Save"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindows windows;
        std::map<std::string, WindowRef> refs = windows.Build(c.tree);
        const FileDialogTarget target = RecognizeFileDialog(windows, refs["frame"]);
        ASSERT_NE(target.kind, FileDialogKind::None);
        EXPECT_EQ(target.saves, c.saves);
    }
}
