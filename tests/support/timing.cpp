#include "tests/support/timing.h"

#include <cstdlib>

namespace testing_support {

unsigned long timingBound(unsigned long nativeMs) {
    const char *text = std::getenv("MORVANTIA_TIMING_FACTOR");
    const long factor = text != nullptr ? std::strtol(text, nullptr, 10) : 1;
    return factor > 1 && factor < 100 ? nativeMs * static_cast<unsigned long>(factor) : nativeMs;
}

}  // namespace testing_support
