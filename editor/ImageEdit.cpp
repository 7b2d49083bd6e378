#include "editor/ImageEdit.h"

CImageEdit::~CImageEdit() = default;
void CImageEdit::Attach(HWND edit) { m_hwnd = edit; }
void CImageEdit::EnablePaste(bool enable)
{
    m_bPasteEnabled = enable;
    ::SendMessageA(m_hwnd, EM_SETREADONLY, !enable, 0);
}
void CImageEdit::PasteImage() {}
bool CImageEdit::PlacePastedImage(HWND) { return true; }
void CImageEdit::DeleteTempFile() {}
