// Window texts are UTF-8 in our code and UTF-16 at the W functions; these
// are the only two conversions between them.
#pragma once

#include <string>

namespace framework {

std::wstring Widen(const std::string &utf8);
std::string Narrow(const std::wstring &wide);
std::string Narrow(const wchar_t *wide, std::size_t length);

}  // namespace framework
