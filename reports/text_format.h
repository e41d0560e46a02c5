// printf-style formatting into a std::string, for the plug-in's own fixed
// templates only: host texts are always arguments, never the format.
#pragma once

#include <string>

namespace reports {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string format(const char *pattern, ...);

}  // namespace reports
