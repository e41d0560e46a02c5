#include "framework/dialog.h"

#include "framework/dialog_init.h"
#include "framework/text.h"
#include "framework/win_app.h"

#include <vector>

namespace framework {

HWND CDataExchange::Control(int id) const { return ::GetDlgItem(dialog_.GetSafeHwnd(), id); }

void CDataExchange::Text(int id, std::string &value) {
    HWND control = Control(id);
    if (control == nullptr) return;
    CWnd field(control);
    if (save_) {
        value = field.GetText();
    } else {
        field.SetText(value);
    }
}

void CDataExchange::ComboText(int id, std::string &value) {
    HWND control = Control(id);
    if (control == nullptr) return;
    CWnd combo(control);
    if (save_) {
        value = combo.GetText();
        return;
    }
    if ((combo.GetStyle() & 0x3) == CBS_DROPDOWNLIST) {
        // Nothing can be typed: show the entry that holds the text, if any.
        const std::wstring wide = Widen(value);
        const LRESULT index = ::SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(wide.c_str()));
        ::SendMessageW(control, CB_SETCURSEL, index >= 0 ? static_cast<WPARAM>(index)
                                                         : static_cast<WPARAM>(-1), 0);
    } else {
        // The text exactly as given: picking a list entry would change its
        // letter case, the list search ignoring case.
        combo.SetText(value);
    }
}

void CDataExchange::Check(int id, int &value) {
    HWND control = Control(id);
    if (control == nullptr) return;
    if (save_) {
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    } else {
        const int state = value < 0 ? 0 : (value > 2 ? 1 : value);
        ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

CDialog::CDialog(int templateId, CWnd *parent) : templateId_(templateId), parent_(parent) {}

CDialog::CDialog(const std::string &templateName, CWnd *parent)
    : templateName_(Widen(templateName)), parent_(parent) {}

LPCWSTR CDialog::TemplateName() const {
    return templateId_ != 0 ? MAKEINTRESOURCEW(templateId_) : templateName_.c_str();
}

INT_PTR CDialog::DoModal() {
    if (GetSafeHwnd() != nullptr) return -1;  // already showing
    modal_ = true;
    const INT_PTR result = ::DialogBoxParamW(ResourceModule(), TemplateName(),
                                             parent_ != nullptr ? parent_->GetSafeHwnd() : nullptr,
                                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return result;
}

bool CDialog::Create() {
    if (GetSafeHwnd() != nullptr) return false;
    modal_ = false;
    HWND window = ::CreateDialogParamW(ResourceModule(), TemplateName(),
                                       parent_ != nullptr ? parent_->GetSafeHwnd() : nullptr,
                                       &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

void CDialog::EndDialog(int result) {
    HWND window = GetSafeHwnd();
    if (window == nullptr) return;
    if (modal_) {
        ::EndDialog(window, result);
    } else {
        ::DestroyWindow(window);
    }
}

bool CDialog::UpdateData(bool saveAndValidate) {
    if (GetSafeHwnd() == nullptr) return false;
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return true;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(int id, int notifyCode, HWND control) {
    // Buttons, and Enter and Escape (sent by the dialog manager without a
    // control or as a click of the default button).
    if (control == nullptr || notifyCode == BN_CLICKED) {
        if (id == IDOK) {
            OnOK();
            return true;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

HBRUSH CDialog::OnCtlColor(CDC &dc, CWnd *control, UINT kind) {
    const UINT message = WM_CTLCOLORMSGBOX + kind;
    HWND controlWindow = control != nullptr ? control->GetSafeHwnd() : nullptr;
    if (control != nullptr && control != this) {
        LRESULT result = 0;
        if (control->OnChildNotify(message, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                   reinterpret_cast<LPARAM>(controlWindow), &result))
            return reinterpret_cast<HBRUSH>(result);
    }
    // The system's own answer (it also sets the DC's colours); not the
    // dialog manager's, which would come back into this procedure.
    return reinterpret_cast<HBRUSH>(::DefWindowProcW(GetSafeHwnd(), message,
                                                     reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                                     reinterpret_cast<LPARAM>(controlWindow)));
}

bool CDialog::OnDrawItem(int, const DRAWITEMSTRUCT &) { return false; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT &) { return false; }

INT_PTR CDialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ApplyDialogInit(GetSafeHwnd(), LoadDialogInit(ResourceModule(), TemplateName()));
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (CWnd *child = FromHandlePermanent(control)) {
            LRESULT result = 0;
            if (child != this && child->OnChildNotify(message, wParam, lParam, &result))
                return TRUE;
        }
        return OnCommand(LOWORD(wParam), HIWORD(wParam), control) ? TRUE : FALSE;
    }
    case WM_DRAWITEM: {
        const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (item == nullptr) return FALSE;
        if (item->CtlType != ODT_MENU) {
            if (CWnd *child = FromHandlePermanent(item->hwndItem)) {
                LRESULT result = 0;
                if (child != this && child->OnChildNotify(message, wParam, lParam, &result))
                    return TRUE;
            }
        }
        return OnDrawItem(static_cast<int>(wParam), *item) ? TRUE : FALSE;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        CWnd *control = ChildFromHandle(reinterpret_cast<HWND>(lParam));
        // A dialog procedure answers colour requests with the brush itself.
        return reinterpret_cast<INT_PTR>(OnCtlColor(dc, control, message - WM_CTLCOLORMSGBOX));
    }
    case WM_CLOSE:
        OnClose();
        return TRUE;
    default:
        break;
    }
    LRESULT result = 0;
    // The handler may destroy the window and with it this object: only the
    // handle is used afterwards.
    if (OnMessage(message, wParam, lParam, result)) {
        ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        CDialog *dialog;
        if (message == WM_INITDIALOG) {
            dialog = reinterpret_cast<CDialog *>(lParam);
            if (dialog == nullptr) return FALSE;
            dialog->AttachCreated(window);
        } else {
            dialog = DynamicDowncast<CDialog>(FromHandlePermanent(window));
            if (dialog == nullptr) return FALSE;
        }
        if (message == WM_NCDESTROY) {
            dialog->DetachDestroyed();
            dialog->PostNcDestroy();
            return FALSE;
        }
        return dialog->Dispatch(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may escape into the dialog manager (and the host).
        return FALSE;
    }
}

}  // namespace framework
