#pragma once

#include <cstdint>
#include <string>

// An opaque window handle; 0 stands for "no window".
using WindowRef = std::uintptr_t;

// The two questions the recognition asks of the desktop, kept apart from Win32 so that
// other programs' dialogs can be imitated in tests.
class WindowQuery {
public:
    virtual ~WindowQuery() = default;
    virtual std::string ClassName(WindowRef window) const = 0;
    // The child with the given control id, or 0 when there is none.
    virtual WindowRef Child(WindowRef parent, int id) const = 0;
};

enum class FileDialogKind { None, Common, Office };

// What a path shortcut can be delivered to. For a common dialog `fileNameBox` is the
// edit field inside the file-name combo and `okButton` the Open/Save button; for an
// Office dialog `fileNameBox` is its rich-edit file-name box and there is no button.
struct FileDialogTarget {
    FileDialogKind kind = FileDialogKind::None;
    WindowRef fileNameBox = 0;
    WindowRef okButton = 0;
};

// Decides whether the foreground window is a file dialog we know how to drive. Every
// check happens here, before the caller sends anything, so a window that is not
// recognised never receives a message.
FileDialogTarget RecognizeFileDialog(const WindowQuery& query, WindowRef foreground);
