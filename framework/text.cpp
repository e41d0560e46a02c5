#include "framework/text.h"

#include <windows.h>

namespace framework {

std::wstring Widen(const std::string &utf8) {
    if (utf8.empty()) return std::wstring();
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                             static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                          wide.data(), length);
    return wide;
}

std::string Narrow(const wchar_t *wide, std::size_t length) {
    if (wide == nullptr || length == 0) return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length),
                                           nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), utf8.data(), size,
                          nullptr, nullptr);
    return utf8;
}

std::string Narrow(const std::wstring &wide) { return Narrow(wide.data(), wide.size()); }

}  // namespace framework
