#include "tools/common/mode_class.h"

#include "tools/common/text.h"

namespace tools {

std::string modeClassOf(const std::string &mode) {
    const std::string name = upper(mode);
    if (name == "CW" || name == "SSB") return name;
    if (name == "BPSK31" || name == "BPSK63" || name == "BPSK125") return "DIGI";
    return name;
}

}  // namespace tools
