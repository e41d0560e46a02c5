#include "framework/text.h"

#include <windows.h>

namespace framework {
namespace {

std::wstring toWide(const std::string &text, UINT codePage) {
    if (text.empty()) return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                          wide.data(), length);
    return wide;
}

std::string fromWide(const wchar_t *wide, std::size_t length, UINT codePage) {
    if (wide == nullptr || length == 0) return std::string();
    const int size = ::WideCharToMultiByte(codePage, 0, wide, static_cast<int>(length),
                                           nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, wide, static_cast<int>(length), text.data(), size,
                          nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring Widen(const std::string &utf8) { return toWide(utf8, CP_UTF8); }

std::string Narrow(const wchar_t *wide, std::size_t length) {
    return fromWide(wide, length, CP_UTF8);
}

std::string Narrow(const std::wstring &wide) { return Narrow(wide.data(), wide.size()); }

std::string AnsiToUtf8(const std::string &ansi) { return Narrow(toWide(ansi, CP_ACP)); }

std::string Utf8ToAnsi(const std::string &utf8) {
    const std::wstring wide = Widen(utf8);
    return fromWide(wide.data(), wide.size(), CP_ACP);
}

std::string WideToAnsi(const wchar_t *wide, std::size_t length) {
    return fromWide(wide, length, CP_ACP);
}

}  // namespace framework
