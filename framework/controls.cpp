#include "framework/controls.h"

#include "framework/text.h"

#include <vector>

namespace framework {

void CButton::DrawItem(const DRAWITEMSTRUCT &) {}

bool CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) {
    if (message == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        *result = TRUE;
        return true;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

int CComboBox::AddString(const std::string &utf8) {
    const std::wstring wide = Widen(utf8);
    return static_cast<int>(SendMessageTo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

std::string CComboBox::GetLBText(int index) const {
    const LRESULT length = SendMessageTo(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length < 0) return std::string();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageTo(CB_GETLBTEXT, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR || copied < 0) return std::string();
    return Narrow(buffer.data(), static_cast<std::size_t>(copied));
}

int CComboBox::FindStringExact(const std::string &utf8, int after) const {
    const std::wstring wide = Widen(utf8);
    return static_cast<int>(SendMessageTo(CB_FINDSTRINGEXACT, static_cast<WPARAM>(after),
                                          reinterpret_cast<LPARAM>(wide.c_str())));
}

}  // namespace framework
