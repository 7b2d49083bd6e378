#pragma once
#include "framework/DataExchange.h"
#include "framework/SubclassedWindow.h"
#include <windows.h>
#include <string>

// The image paste box: takes a picture from the clipboard (Ctrl+V, its own context
// menu, or WM_PASTE), writes it to the temporary .bmp file and asks where the
// picture shall be kept. Typing never changes its text. It owns the temporary file
// and the chosen place until the owner accepts the picture.
class CImageEdit : public SubclassedWindow {
public:
    CImageEdit() = default;
    ~CImageEdit() override;

    // Takes over the dialog's edit control (subclassing it).
    void Attach(HWND edit);
    // The owner's data exchange of the text the box shows.
    void ExchangeText(DataExchange& dx, int id, std::string& text);

    // Pasting on or off; the box is read-only exactly while pasting is off.
    void EnablePaste(bool enable);
    void PasteImage();

    // Where the picture is to be kept: chosen at the last paste, or set by the owner
    // for a picture that is already stored. Empty when there is none.
    const std::string& SavedFile() const { return m_strSavedFile; }
    void SetSavedFile(const std::string& file) { m_strSavedFile = file; }
    // The box says that it has taken a picture, and nothing else has been written
    // into it since.
    bool HasTakenPicture() const { return m_bPictureTaken; }

    // Puts the pasted picture at the saved file (copying the temporary file when there
    // is one) and deletes the temporary file. False, after telling the user which file
    // could not be written and why, when the copy failed; the temporary file then stays.
    bool PlacePastedImage(HWND messageOwner);
    void DeleteTempFile();

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::optional<LRESULT> OnKeyDown(WPARAM key);
    void OnContextMenu();
    LRESULT OnPaste();
    // Writes the clipboard's picture to the temporary file; false (the earlier
    // picture kept) when there is none.
    bool WriteTempBitmap();
    void ShowPictureTaken();

    std::string m_strTempFile;
    std::string m_strSavedFile;
    bool m_bPasteEnabled = true;
    bool m_bPictureTaken = false;
};
