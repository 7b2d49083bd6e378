#include "framework/Dialog.h"
#include "framework/DialogPart.h"
#include "framework/SubclassedWindow.h"
#include "framework/WindowText.h"

Dialog::~Dialog()
{
    // The parts are members of the derived object and already gone.
    m_parts.clear();
    DestroyModeless();
}

void Dialog::DestroyModeless()
{
    if (!m_modal && m_hwnd && ::IsWindow(m_hwnd))
        ::DestroyWindow(m_hwnd);
}

INT_PTR Dialog::RunModal(HWND owner)
{
    m_modal = true;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner)
{
    m_modal = false;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    DataExchange dx(m_hwnd, saveAndValidate);
    DoDataExchange(dx);
    for (DialogPart* part : m_parts)
        part->Exchange(dx);
    return !dx.failed();
}

void Dialog::End(INT_PTR result)
{
    if (m_modal)
        ::EndDialog(m_hwnd, result);
    else
        ::ShowWindow(m_hwnd, SW_HIDE);
}

bool Dialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void Dialog::OnOK()
{
    if (UpdateData(true))
        End(IDOK);
}

void Dialog::OnCancel() { End(IDCANCEL); }

std::string Dialog::ItemText(int id) const { return WindowText(Item(id)); }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hwnd = nullptr;
        return FALSE;
    }
    return self->Route(message, wParam, lParam);
}

INT_PTR Dialog::Route(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::optional<LRESULT> result = ReflectToControl(message, wParam, lParam);
    if (!result)
        result = OnMessage(message, wParam, lParam);
    for (size_t i = 0; !result && i < m_parts.size(); ++i)
        result = OfferToPart(*m_parts[i], message, wParam, lParam);
    // Enter and Escape arrive as IDOK and IDCANCEL, as do the buttons with those ids.
    const bool okOrCancel = message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
                            (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL);
    if (!result && okOrCancel) {
        if (LOWORD(wParam) == IDOK)
            OnOK();
        else
            OnCancel();
        return TRUE;
    }
    if (!result)
        return FALSE;
    switch (message) {
    // These few messages return their result directly from the dialog procedure.
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(*result);
    default:
        ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, *result);
        return TRUE;
    }
}

// A control asks its parent for its colours; a control with an object of its own
// answers for itself, so that the dialog need not know which controls those are.
std::optional<LRESULT> Dialog::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (SubclassedWindow* control = SubclassedWindow::FromHandle(reinterpret_cast<HWND>(lParam)))
            return control->OnReflectedMessage(message, wParam, lParam);
        break;
    }
    return std::nullopt;
}

std::optional<LRESULT> Dialog::OfferToPart(DialogPart& part, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return part.OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return part.OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    default:
        return part.OnMessage(message, wParam, lParam);
    }
}
