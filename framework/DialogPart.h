#pragma once
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include <windows.h>
#include <commctrl.h>
#include <optional>

// A piece of a dialog with controls and handlers of its own: a form, or a list with
// its buttons. It joins its dialog when it is made, and from then on the dialog
// offers it every message that the dialog itself leaves and takes it into every
// data exchange. A part reaches its controls through the dialog (Item, Enable,
// IsChecked, UpdateData) and leaves unknown messages alone (std::nullopt).
class DialogPart {
public:
    explicit DialogPart(Dialog& dialog) : m_dialog(dialog) { dialog.AddPart(*this); }
    DialogPart(const DialogPart&) = delete;
    DialogPart& operator=(const DialogPart&) = delete;
    virtual ~DialogPart() = default;

    virtual void Exchange(DataExchange&) {}
    virtual std::optional<LRESULT> OnCommand(WORD, WORD) { return std::nullopt; }
    virtual std::optional<LRESULT> OnNotify(const NMHDR&) { return std::nullopt; }
    // Every message other than WM_COMMAND and WM_NOTIFY.
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

protected:
    Dialog& m_dialog;
};
