// CDialog: modal and modeless dialogs from templates in the resource module.
// Messages arrive as calls of virtual handlers; requests that concern one
// control (owner-draw, colours, notifications) go to that control's object
// first when it has one.
#pragma once

#include "framework/wnd.h"

#include <string>

namespace framework {

class CDialog;

// One transfer between a dialog's controls and its members: from the
// controls (save) or to them.
class CDataExchange {
public:
    CDataExchange(CDialog &dialog, bool save) : dialog_(dialog), save_(save) {}

    bool Saving() const { return save_; }
    // An edit field's text.
    void Text(int id, std::string &value);
    // A drop-down's text: its edit text, or the selected entry of a list
    // that cannot be typed into (an entry equal to value is selected when
    // loading, else the text is set).
    void ComboText(int id, std::string &value);
    // A check box: 0 clear, 1 checked, 2 indeterminate.
    void Check(int id, int &value);

private:
    HWND Control(int id) const;
    CDialog &dialog_;
    bool save_;
};

class CDialog : public CWnd {
public:
    static constexpr CRuntimeClass runtimeClass{"CDialog", &CWnd::runtimeClass};
    const CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    // The template with this resource id (or name, UTF-8) in the resource
    // module; parent may be null.
    explicit CDialog(int templateId, CWnd *parent = nullptr);
    CDialog(const std::string &templateName, CWnd *parent = nullptr);

    // Runs the dialog modally on the calling thread; returns the value
    // given to EndDialog, or -1 when it could not be created.
    INT_PTR DoModal();
    // Creates the dialog modelessly on the calling thread, whose message
    // loop then serves it; shown only if the template says so.
    bool Create();
    bool IsModal() const { return modal_; }

    // Ends a modal dialog with result, or destroys a modeless one.
    void EndDialog(int result);
    // Moves data between the controls and the members (DoDataExchange).
    bool UpdateData(bool saveAndValidate = true);
    // Converts a rectangle from dialog units to client pixels.
    bool MapDialogRect(RECT &rect) const { return ::MapDialogRect(GetSafeHwnd(), &rect) != FALSE; }

    // The window object the dialog opens over (its owner), or null.
    CWnd *GetParentWnd() const { return parent_; }
    // For an owner object that goes while this dialog object lives on.
    void SetParentWnd(CWnd *parent) { parent_ = parent; }

protected:
    // After the controls exist and the template's lists are filled: moves
    // the members into the controls. Return true to let the system set the
    // focus.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange &) {}
    // Enter (or a button with id IDOK): takes the data and ends with IDOK.
    virtual void OnOK();
    // Escape, a button with id IDCANCEL, WM_CLOSE: ends with IDCANCEL.
    virtual void OnCancel();
    virtual void OnClose() { OnCancel(); }
    // WM_COMMAND not taken by a control; true when handled.
    virtual bool OnCommand(int id, int notifyCode, HWND control);
    // Colour request from control (kind: CTLCOLOR_*). The default asks the
    // control first, then the system's default handling.
    virtual HBRUSH OnCtlColor(CDC &dc, CWnd *control, UINT kind);
    // Owner-draw request of a control without an object of its own.
    virtual bool OnDrawItem(int id, const DRAWITEMSTRUCT &item);
    // Any other message; true when handled, with result as the answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam);
    INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LPCWSTR TemplateName() const;

    int templateId_ = 0;
    std::wstring templateName_;  // used when templateId_ is 0
    CWnd *parent_;
    bool modal_ = false;
};

}  // namespace framework
