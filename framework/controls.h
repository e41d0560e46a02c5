// The standard controls the windows use, as objects that can take over a
// template's control (SubclassDlgItem) or borrow it.
#pragma once

#include "framework/wnd.h"

#include <string>

namespace framework {

class CButton : public CWnd {
public:
    static constexpr CRuntimeClass runtimeClass{"CButton", &CWnd::runtimeClass};
    const CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    CButton() = default;
    explicit CButton(HWND borrowed) : CWnd(borrowed) {}

    int GetCheck() const { return static_cast<int>(SendMessageTo(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessageTo(BM_SETCHECK, static_cast<WPARAM>(state)); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFF); }
    void SetButtonStyle(UINT style, bool redraw = true) {
        SendMessageTo(BM_SETSTYLE, style, redraw ? TRUE : FALSE);
    }

    // Owner-draw painting of this button, asked for by its parent.
    virtual void DrawItem(const DRAWITEMSTRUCT &item);

    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) override;
};

class CEdit : public CWnd {
public:
    static constexpr CRuntimeClass runtimeClass{"CEdit", &CWnd::runtimeClass};
    const CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    CEdit() = default;
    explicit CEdit(HWND borrowed) : CWnd(borrowed) {}

    void SetSel(int start, int end) { SendMessageTo(EM_SETSEL, start, end); }
    void SetReadOnly(bool readOnly) { SendMessageTo(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
    void SetLimitText(int characters) { SendMessageTo(EM_SETLIMITTEXT, characters); }
};

class CComboBox : public CWnd {
public:
    static constexpr CRuntimeClass runtimeClass{"CComboBox", &CWnd::runtimeClass};
    const CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    CComboBox() = default;
    explicit CComboBox(HWND borrowed) : CWnd(borrowed) {}

    int GetCount() const { return static_cast<int>(SendMessageTo(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessageTo(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessageTo(CB_SETCURSEL, index)); }
    // Index of the new entry, or a negative value on failure.
    int AddString(const std::string &utf8);
    // The text of entry index; empty when there is none.
    std::string GetLBText(int index) const;
    // Index of the entry equal to text (letter case ignored), or -1.
    int FindStringExact(const std::string &utf8, int after = -1) const;
    void ResetContent() { SendMessageTo(CB_RESETCONTENT); }
};

}  // namespace framework
