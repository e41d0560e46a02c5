// Window texts are UTF-8 in our code and UTF-16 at the W functions; the
// host's texts are in the system's 8-bit code page. These are the only
// conversions between them.
#pragma once

#include <string>

namespace framework {

std::wstring Widen(const std::string &utf8);
std::string Narrow(const std::wstring &wide);
std::string Narrow(const wchar_t *wide, std::size_t length);

// Between the system's 8-bit code page (the host's texts) and UTF-8.
std::string AnsiToUtf8(const std::string &ansi);
std::string Utf8ToAnsi(const std::string &utf8);
// UTF-16 to the 8-bit code page.
std::string WideToAnsi(const wchar_t *wide, std::size_t length);

}  // namespace framework
