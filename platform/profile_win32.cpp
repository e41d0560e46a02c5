// The real private-profile API. Names are passed on as given: a name with a
// folder ("Plugins\Morvantia.ini") is relative to the current directory,
// while the API looks up a bare name in the Windows folder.
#include "platform/profile.h"

#include <windows.h>

#include <limits>
#include <vector>

namespace platform {

std::string readProfileString(const std::string &section, const std::string &key,
                              const std::string &defaultValue,
                              const std::string &fileName,
                              std::size_t bufferSize) {
    if (bufferSize == 0) return std::string();
    if (bufferSize > std::numeric_limits<DWORD>::max())
        bufferSize = std::numeric_limits<DWORD>::max();
    // Exactly the caller's buffer size: the API's cut to size - 1 is part of
    // the behaviour the host relies on.
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length = ::GetPrivateProfileStringA(
        section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
        static_cast<DWORD>(bufferSize), fileName.c_str());
    return std::string(buffer.data(), length < bufferSize ? length : bufferSize - 1);
}

bool writeProfileString(const std::string &section, const std::string &key,
                        const std::string &value, const std::string &fileName) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                        singleLineValue(value).c_str(), fileName.c_str()) != 0;
}

}  // namespace platform
