#include "tools/common/mode_class.h"

#include "contract/mode_class.h"
#include "tools/common/text.h"

namespace tools {

std::string modeClassOf(const std::string &mode) {
    const char *name = contract::modeClassName(contract::modeClass(mode));
    return name != nullptr ? std::string(name) : upper(mode);
}

}  // namespace tools
