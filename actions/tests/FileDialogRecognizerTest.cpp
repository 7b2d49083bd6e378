#include "actions/FileDialogRecognizer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// A desktop of made-up windows; it remembers every child lookup so a test can tell
// whether the recognizer poked around in a window.
class FakeWindows : public WindowQuery {
public:
    WindowRef Add(const std::string& className, WindowRef parent = 0, int id = 0)
    {
        const WindowRef ref = next_++;
        windows_[ref] = {className, parent, id};
        return ref;
    }

    std::string ClassName(WindowRef window) const override
    {
        const auto it = windows_.find(window);
        return it == windows_.end() ? std::string() : it->second.className;
    }

    WindowRef Child(WindowRef parent, int id) const override
    {
        ++childQueries;
        for (const auto& [ref, w] : windows_) {
            if (w.parent == parent && w.id == id)
                return ref;
        }
        return 0;
    }

    mutable int childQueries = 0;

private:
    struct Window {
        std::string className;
        WindowRef parent;
        int id;
    };
    std::map<WindowRef, Window> windows_;
    WindowRef next_ = 0x100;
};

// The tree of Wine's Explorer-style open dialog; each control can be left out or
// given another class to see that the recognizer notices.
struct CommonDialogShape {
    const char* frame = "#32770";
    const char* container = "SHELLDLL_DefView";
    const char* fileList = "SysListView32";
    const char* outer = "ComboBoxEx32";
    const char* middle = "ComboBox";
    const char* edit = "Edit";
    const char* button = "Button";
};

struct CommonDialog {
    WindowRef frame = 0;
    WindowRef edit = 0;
    WindowRef button = 0;
};

CommonDialog BuildCommonDialog(FakeWindows& windows, const CommonDialogShape& shape)
{
    CommonDialog d;
    d.frame = windows.Add(shape.frame);
    if (shape.container) {
        const WindowRef container = windows.Add(shape.container, d.frame, 1121);
        if (shape.fileList)
            windows.Add(shape.fileList, container, 1);
    }
    if (shape.outer) {
        const WindowRef outer = windows.Add(shape.outer, d.frame, 1148);
        if (shape.middle) {
            const WindowRef middle = windows.Add(shape.middle, outer, 1148);
            if (shape.edit)
                d.edit = windows.Add(shape.edit, middle, 1148);
        }
    }
    if (shape.button)
        d.button = windows.Add(shape.button, d.frame, 1);
    return d;
}

TEST(RecognizeFileDialog, FindsTheEditFieldAndOkButtonOfWinesOpenDialog)
{
    FakeWindows windows;
    const CommonDialog d = BuildCommonDialog(windows, {});

    const FileDialogTarget target = RecognizeFileDialog(windows, d.frame);

    EXPECT_EQ(target.kind, FileDialogKind::Common);
    EXPECT_EQ(target.fileNameBox, d.edit);
    EXPECT_EQ(target.okButton, d.button);
}

TEST(RecognizeFileDialog, IgnoresLetterCaseOfClassNames)
{
    CommonDialogShape shape;
    shape.fileList = "syslistview32";
    shape.outer = "COMBOBOXEX32";
    shape.middle = "combobox";
    shape.edit = "EDIT";
    shape.button = "button";
    FakeWindows windows;
    const CommonDialog d = BuildCommonDialog(windows, shape);

    EXPECT_EQ(RecognizeFileDialog(windows, d.frame).kind, FileDialogKind::Common);
}

struct BrokenDialogCase {
    const char* name;
    CommonDialogShape shape;
};

CommonDialogShape With(const char* CommonDialogShape::*field, const char* value)
{
    CommonDialogShape shape;
    shape.*field = value;
    return shape;
}

void PrintTo(const BrokenDialogCase& c, std::ostream* os)
{
    *os << c.name;
}

class UnrecognisedDialogTest : public ::testing::TestWithParam<BrokenDialogCase> {};

TEST_P(UnrecognisedDialogTest, IsNotTreatedAsAFileDialog)
{
    FakeWindows windows;
    const CommonDialog d = BuildCommonDialog(windows, GetParam().shape);

    const FileDialogTarget target = RecognizeFileDialog(windows, d.frame);

    EXPECT_EQ(target.kind, FileDialogKind::None);
    EXPECT_EQ(target.fileNameBox, 0u);
    EXPECT_EQ(target.okButton, 0u);
}

// A message box is a #32770 with a button of id 1 (IDOK) but nothing else; an old-style
// file dialog has the file-name controls but no shell file list.
CommonDialogShape MessageBoxShape()
{
    CommonDialogShape shape;
    shape.container = nullptr;
    shape.outer = nullptr;
    return shape;
}

INSTANTIATE_TEST_SUITE_P(Cases, UnrecognisedDialogTest, ::testing::Values(
    BrokenDialogCase{"MessageBox", MessageBoxShape()},
    BrokenDialogCase{"OldStyleDialog", With(&CommonDialogShape::container, nullptr)},
    BrokenDialogCase{"NoFileList", With(&CommonDialogShape::fileList, nullptr)},
    BrokenDialogCase{"FileListOfOtherClass", With(&CommonDialogShape::fileList, "ListBox")},
    BrokenDialogCase{"NoFileNameCombo", With(&CommonDialogShape::outer, nullptr)},
    BrokenDialogCase{"PlainComboInsteadOfComboEx", With(&CommonDialogShape::outer, "ComboBox")},
    BrokenDialogCase{"NoInnerCombo", With(&CommonDialogShape::middle, nullptr)},
    BrokenDialogCase{"InnerComboOfOtherClass", With(&CommonDialogShape::middle, "Edit")},
    BrokenDialogCase{"NoEditField", With(&CommonDialogShape::edit, nullptr)},
    BrokenDialogCase{"EditFieldOfOtherClass", With(&CommonDialogShape::edit, "RichEdit20W")},
    BrokenDialogCase{"NoOkButton", With(&CommonDialogShape::button, nullptr)},
    BrokenDialogCase{"OkControlNotAButton", With(&CommonDialogShape::button, "Static")},
    BrokenDialogCase{"FrameOfOtherClass", With(&CommonDialogShape::frame, "#32771")}),
    [](const auto& info) { return std::string(info.param.name); });

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
    CommonDialogShape shape;
    shape.frame = "Notepad";
    const CommonDialog d = BuildCommonDialog(windows, shape);
    windows.Add("RichEdit20W", d.frame, 48);

    EXPECT_EQ(RecognizeFileDialog(windows, d.frame).kind, FileDialogKind::None);
    EXPECT_EQ(windows.childQueries, 0);
}

TEST(RecognizeFileDialog, NoForegroundWindowIsNotADialog)
{
    FakeWindows windows;
    EXPECT_EQ(RecognizeFileDialog(windows, 0).kind, FileDialogKind::None);
    EXPECT_EQ(windows.childQueries, 0);
}

} // namespace
