#pragma once
#include "editor/CaptionStatic.h"
#include "editor/HintEdit.h"
#include "editor/ImageEdit.h"
#include "editor/ShortcutList.h"
#include "framework/Dialog.h"
#include <optional>
#include <string>

// The upper part of the main dialog, where a new shortcut is composed (key, kind,
// payload) and accepted into the list; also the read-only viewer of a clicked row.
// It owns the form's data-exchange values and handles the form's and the list's
// commands; the dialog routes them here.
class EntryForm {
public:
    EntryForm(Dialog& dialog, ShortcutList& list) : m_dialog(dialog), m_list(list) {}

    void Exchange(DataExchange& dx);
    // The starting state: path kind, image box read-only, focus in the path box.
    void Start();
    // The dialog comes back from the tray.
    void OnShow();
    std::optional<LRESULT> OnCommand(WORD id, WORD code);
    std::optional<LRESULT> OnNotify(const NMHDR& header);
    // Any other message of the dialog, offered here first (captions' colours, 0x401).
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND Item(int id) const { return m_dialog.Item(id); }

    Dialog& m_dialog;
    ShortcutList& m_list;
    std::string m_strKey;
    std::string m_strPath;
    std::string m_strText;
    std::string m_strImage;
    std::string m_strViewedKey;
    CHintEdit m_edPath;
    CImageEdit m_edImage;
    CCaptionStatic m_stScreenCapture;
    CCaptionStatic m_stCaptureKeys;
    CCaptionStatic m_stHotkeyNote;
};
