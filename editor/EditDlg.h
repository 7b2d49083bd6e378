#pragma once
#include "editor/HintEdit.h"
#include "editor/ImageEdit.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include <string>

// Changes one shortcut of the list: a modal twin of the entry form with OK and
// Cancel in place of Accept. The caller fills the members from the form, and on OK
// reads back the kind, the key and the payload of that kind (m_strPath, m_strText
// or m_edImage.m_strSavedFile).
class CEditDlg : public Dialog {
public:
    // `mainKeys`: the main dialog's key combo (the free keys and the edited row's,
    // which is selected); the dialog offers the same.
    explicit CEditDlg(const ComboBox& mainKeys);

    int m_nKind = 0;   // a ShortcutKind value
    std::string m_strText;
    std::string m_strPath;
    std::string m_strKey;
    std::string m_strImage;
    CImageEdit m_edImage;
    CHintEdit m_edPath;

protected:
    void DoDataExchange(DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPathRadio();
    void OnTextRadio();
    void OnGraphicRadio();
    void OnFolderBrowseButton();
    void OnFileBrowseButton();
    void OnEmailButton();
    void OnSaveBitmapButton();

    // Without an Accept button nothing here is view-only: each kind enables its own
    // controls and disables the others'.
    void EnableKindControls(int kind);
    // True when OK may close the dialog; otherwise the user has been told why not.
    bool TakePayload();

    ComboBox m_mainKeys;
    ComboBox m_cbKey;
};
