#include "actions/FileDialogRecognizer.h"

#include "store/KeyText.h"

namespace {

// Window classes are compared as Windows compares them: without regard to letter case.
const char kDialogClass[] = "#32770";
const char kFileListClass[] = "SysListView32";
const char kComboExClass[] = "ComboBoxEx32";
const char kComboClass[] = "ComboBox";
const char kEditClass[] = "Edit";
const char kButtonClass[] = "Button";
const char kOfficeWordClass[] = "bosa_sdm_Microsoft Word 9.0";
const char kOfficeClass[] = "bosa_sdm_Mso96";
const char kOfficeFileNameClass[] = "RichEdit20W";

const int kFileListContainerId = 1121;
const int kFileListId = 1;
const int kFileNameId = 1148;
const int kOkButtonId = 1;
const int kOfficeFileNameId = 48;

// The child with `id` when it exists and is of `className`, else 0.
WindowRef ChildOfClass(const WindowQuery& query, WindowRef parent, int id, const char* className)
{
    const WindowRef child = query.Child(parent, id);
    if (child == 0 || !EqualsNoCase(query.ClassName(child), className))
        return 0;
    return child;
}

FileDialogTarget RecognizeCommonDialog(const WindowQuery& query, WindowRef frame)
{
    // A message box or an old-style file dialog is also a #32770; only the Explorer-style
    // dialog holds the shell's file list, so that tells them apart.
    const WindowRef container = query.Child(frame, kFileListContainerId);
    if (container == 0 || ChildOfClass(query, container, kFileListId, kFileListClass) == 0)
        return {};

    const WindowRef outer = ChildOfClass(query, frame, kFileNameId, kComboExClass);
    const WindowRef middle = outer ? ChildOfClass(query, outer, kFileNameId, kComboClass) : 0;
    const WindowRef edit = middle ? ChildOfClass(query, middle, kFileNameId, kEditClass) : 0;
    if (edit == 0)
        return {};

    const WindowRef ok = ChildOfClass(query, frame, kOkButtonId, kButtonClass);
    if (ok == 0)
        return {};
    return {FileDialogKind::Common, edit, ok};
}

FileDialogTarget RecognizeOfficeDialog(const WindowQuery& query, WindowRef frame)
{
    const WindowRef box = ChildOfClass(query, frame, kOfficeFileNameId, kOfficeFileNameClass);
    if (box == 0)
        return {};
    return {FileDialogKind::Office, box, 0};
}

} // namespace

FileDialogTarget RecognizeFileDialog(const WindowQuery& query, WindowRef foreground)
{
    if (foreground == 0)
        return {};
    const std::string frameClass = query.ClassName(foreground);
    if (EqualsNoCase(frameClass, kDialogClass))
        return RecognizeCommonDialog(query, foreground);
    // Any other window is left alone: no child lookups in a stranger's window.
    if (EqualsNoCase(frameClass, kOfficeWordClass) || EqualsNoCase(frameClass, kOfficeClass))
        return RecognizeOfficeDialog(query, foreground);
    return {};
}
