#include "actions/FileDialogRecognizer.h"

#include "store/KeyText.h"

#include <iterator>

namespace {

// Window classes are compared as Windows compares them: without regard to letter case.
const char kDialogClass[] = "#32770";
const char kFileListClass[] = "SysListView32";
const char kComboExClass[] = "ComboBoxEx32";
const char kComboClass[] = "ComboBox";
const char kEditClass[] = "Edit";
const char kButtonClass[] = "Button";
const char kViewHostClass[] = "DUIViewWndClassName";
const char kWineViewClass[] = "SHELLDLL_DefView";
const char kOfficeWordClass[] = "bosa_sdm_Microsoft Word 9.0";
const char kOfficeClass[] = "bosa_sdm_Mso96";
const char kOfficeFileNameClass[] = "RichEdit20W";

// The save dialog of Windows Vista to 11 keeps its file-name box deep inside the view
// host, one window of each of these classes below the other.
const char* const kSaveNameChain[] = {kViewHostClass, "DirectUIHWND", "FloatNotifySink", kComboClass};

// "Save" on the OK button of a save dialog, in the display languages of Windows (and of
// Wine, which uses the same words). UTF-8.
const char* const kSaveCaptions[] = {
    "Save", "Speichern", "Enregistrer", "Guardar", "Salva", "Salvar", "Opslaan", "Spara", "Gem", "Lagre",
    "Tallenna", "Zapisz", "Ulo\u017eit", "Ment\u00e9s", "Kaydet", "Salvare", "Shrani", "Sa\u010duvaj", "Ulo\u017ei\u0165",
    "Salvesta", "Saglab\u0101t", "\u012era\u0161yti", "\u0421\u043e\u0445\u0440\u0430\u043d\u0438\u0442\u044c",
    "\u0417\u0431\u0435\u0440\u0435\u0433\u0442\u0438", "\u0417\u0430\u043f\u0430\u0437\u0438",
    "\u0391\u03c0\u03bf\u03b8\u03ae\u03ba\u03b5\u03c5\u03c3\u03b7", "\u4fdd\u5b58", "\u5132\u5b58",
    "\uc800\uc7a5", "\u05e9\u05de\u05d5\u05e8", "\u062d\u0641\u0638", "\u0e1a\u0e31\u0e19\u0e17\u0e36\u0e01",
    "L\u01b0u",
};

const int kFileListContainerId = 1121;
const int kFileListId = 1;
const int kFileNameId = 1148;
const int kSaveFileNameId = 1001;
const int kWineFileNameId = 1152;
const int kOkButtonId = 1;
const int kOfficeFileNameId = 48;

bool IsOfClass(const WindowQuery& query, WindowRef window, const char* className)
{
    return EqualsNoCase(query.ClassName(window), className);
}

// The child with `id` when it exists and is of `className`, else 0.
WindowRef ChildOfClass(const WindowQuery& query, WindowRef parent, int id, const char* className)
{
    const WindowRef child = query.Child(parent, id);
    if (child == 0 || !IsOfClass(query, child, className))
        return 0;
    return child;
}

// Every window below `root`, depth first in child order. A stack rather than recursion:
// the tree belongs to another program and may be as deep as it likes.
std::vector<WindowRef> Descendants(const WindowQuery& query, WindowRef root)
{
    std::vector<WindowRef> found;
    std::vector<WindowRef> pending = {root};
    while (!pending.empty()) {
        const WindowRef window = pending.back();
        pending.pop_back();
        if (window != root)
            found.push_back(window);
        const std::vector<WindowRef> children = query.Children(window);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return found;
}

bool HasDescendantOfClass(const WindowQuery& query, const std::vector<WindowRef>& descendants, const char* className)
{
    for (WindowRef window : descendants)
        if (IsOfClass(query, window, className))
            return true;
    return false;
}

// The edit field of the file-name combo (a "ComboBoxEx32" whose inner combo and edit
// share its id 1148) that is a child of `parent`, or 0.
WindowRef ComboExFileNameEdit(const WindowQuery& query, WindowRef parent)
{
    const WindowRef outer = ChildOfClass(query, parent, kFileNameId, kComboExClass);
    const WindowRef middle = outer ? ChildOfClass(query, outer, kFileNameId, kComboClass) : 0;
    return middle ? ChildOfClass(query, middle, kFileNameId, kEditClass) : 0;
}

// Follows kSaveNameChain down from `parent`, trying every child of the class at each
// step: the save dialog has more than one "FloatNotifySink", and only one holds the name.
WindowRef SaveFileNameEdit(const WindowQuery& query, WindowRef parent, size_t step = 0)
{
    if (step == std::size(kSaveNameChain))
        return ChildOfClass(query, parent, kSaveFileNameId, kEditClass);
    for (WindowRef child : query.Children(parent)) {
        if (!IsOfClass(query, child, kSaveNameChain[step]))
            continue;
        if (const WindowRef edit = SaveFileNameEdit(query, child, step + 1))
            return edit;
    }
    return 0;
}

// A message box or an old-style file dialog is also a #32770; only the Explorer-style
// dialog holds the shell's file list in a container with id 1121.
WindowRef ExplorerStyleFileNameEdit(const WindowQuery& query, WindowRef frame)
{
    const WindowRef container = query.Child(frame, kFileListContainerId);
    if (container == 0 || ChildOfClass(query, container, kFileListId, kFileListClass) == 0)
        return 0;
    return ComboExFileNameEdit(query, frame);
}

// The item dialogs of Vista to 11 host the shell view in a "DUIViewWndClassName". The
// open dialog's name combo sits directly under the frame on Windows 10 and 11; it is
// looked for further down as well in case another release nests it.
WindowRef ItemOpenFileNameEdit(const WindowQuery& query, WindowRef frame, const std::vector<WindowRef>& descendants)
{
    if (!HasDescendantOfClass(query, descendants, kViewHostClass))
        return 0;
    if (const WindowRef edit = ComboExFileNameEdit(query, frame))
        return edit;
    for (WindowRef window : descendants)
        if (const WindowRef edit = ComboExFileNameEdit(query, window))
            return edit;
    return 0;
}

// Wine's item dialog has the old dialogs' edit 1152 as its name box, and the shell view
// (inside an "ExplorerBrowserControl") where the others keep their file list. The
// non-Explorer dialog of old has an edit 1152 too, but no shell view.
WindowRef WineItemFileNameEdit(const WindowQuery& query, WindowRef frame, const std::vector<WindowRef>& descendants)
{
    const WindowRef edit = ChildOfClass(query, frame, kWineFileNameId, kEditClass);
    if (edit == 0 || !HasDescendantOfClass(query, descendants, kWineViewClass))
        return 0;
    return edit;
}

FileDialogTarget RecognizeCommonDialog(const WindowQuery& query, WindowRef frame)
{
    // Without an OK button there is nothing to confirm the path with.
    const WindowRef ok = ChildOfClass(query, frame, kOkButtonId, kButtonClass);
    if (ok == 0)
        return {};
    const bool saveButton = IsSaveButtonCaption(query.Caption(ok));
    if (const WindowRef edit = ExplorerStyleFileNameEdit(query, frame))
        return {FileDialogKind::Common, edit, ok, saveButton};

    const std::vector<WindowRef> descendants = Descendants(query, frame);
    if (const WindowRef edit = ItemOpenFileNameEdit(query, frame, descendants))
        return {FileDialogKind::ItemOpen, edit, ok, false};
    if (const WindowRef edit = SaveFileNameEdit(query, frame))
        return {FileDialogKind::ItemSave, edit, ok, true};
    if (const WindowRef edit = WineItemFileNameEdit(query, frame, descendants))
        return {FileDialogKind::WineItem, edit, ok, saveButton};
    return {};
}

FileDialogTarget RecognizeOfficeDialog(const WindowQuery& query, WindowRef frame)
{
    const WindowRef box = ChildOfClass(query, frame, kOfficeFileNameId, kOfficeFileNameClass);
    if (box == 0)
        return {};
    return {FileDialogKind::Office, box, 0};
}

} // namespace

bool IsSaveButtonCaption(const std::string& caption)
{
    std::string bare;
    for (const char c : caption) {
        if (c != '&') bare += c;
    }
    bare = TrimWhitespace(bare);
    for (const char* save : kSaveCaptions) {
        if (EqualsNoCase(bare, save)) return true;
    }
    return false;
}

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
