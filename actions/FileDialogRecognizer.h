#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An opaque window handle; 0 stands for "no window".
using WindowRef = std::uintptr_t;

// The questions the recognition asks of the desktop, kept apart from Win32 so that
// other programs' dialogs can be imitated in tests.
class WindowQuery {
public:
    virtual ~WindowQuery() = default;
    virtual std::string ClassName(WindowRef window) const = 0;
    // The child with the given control id, or 0 when there is none.
    virtual WindowRef Child(WindowRef parent, int id) const = 0;
    // The direct children, first to last.
    virtual std::vector<WindowRef> Children(WindowRef parent) const = 0;
    // A button's caption, as the system keeps it (asking the window nothing).
    virtual std::string Caption(WindowRef window) const = 0;
};

enum class FileDialogKind {
    None,
    Common,       // Explorer-style dialog of Windows 98 to XP, and GetOpenFileName under Wine
    ItemOpen,     // open dialog of Windows Vista to 11
    ItemSave,     // save dialog of Windows Vista to 11
    WineItem,     // Wine's IFileOpenDialog / IFileSaveDialog
    Office,
};

// What a path shortcut can be delivered to. For the common and item dialogs
// `fileNameBox` is the edit field the user types the file name into and `okButton` the
// Open/Save button; for an Office dialog `fileNameBox` is its rich-edit file-name box
// and there is no button.
struct FileDialogTarget {
    FileDialogKind kind = FileDialogKind::None;
    WindowRef fileNameBox = 0;
    WindowRef okButton = 0;
    // A dialog in which the program in front saves: a path must not become the name of
    // the document. The save dialog of Vista to 11 is known by its tree; the dialogs
    // whose open and save trees are alike, by the caption of their OK button.
    bool saves = false;
};

// The caption of a file dialog's OK button says "Save" (in the languages Windows ships
// in; access-key marks and letter case aside).
bool IsSaveButtonCaption(const std::string& caption);

// Decides whether the foreground window is a file dialog we know how to drive. Every
// check happens here, before the caller sends anything, so a window that is not
// recognised never receives a message.
FileDialogTarget RecognizeFileDialog(const WindowQuery& query, WindowRef foreground);
