#pragma once
#include "framework/SubclassedWindow.h"
#include <windows.h>
#include <string>

// The image paste box: takes a picture from the clipboard (Ctrl+V, its own context
// menu, or WM_PASTE), writes it to the temporary .bmp file and asks where the
// picture shall be kept. Typing never changes its text.
class CImageEdit : public SubclassedWindow {
public:
    CImageEdit() = default;
    ~CImageEdit() override;

    // Takes over the dialog's edit control (subclassing it).
    void Attach(HWND edit);

    // Pasting on or off; the box is read-only exactly while pasting is off.
    void EnablePaste(bool enable);
    void PasteImage();

    // Puts the pasted picture at m_strSavedFile (copying the temporary file when there
    // is one) and deletes the temporary file. False, after telling the user which file
    // could not be written and why, when the copy failed; the temporary file then stays.
    bool PlacePastedImage(HWND messageOwner);
    void DeleteTempFile();

    std::string m_strTempFile;
    std::string m_strSavedFile;
    bool m_bPasteEnabled = true;

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::optional<LRESULT> OnKeyDown(WPARAM key);
    void OnContextMenu();
    LRESULT OnPaste();
    // Writes the clipboard's picture to the temporary file; false (the earlier
    // picture kept) when there is none.
    bool WriteTempBitmap();
};
