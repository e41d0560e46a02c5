// Bounds on how long things may take, for the machine the tests run on.
#pragma once

namespace testing_support {

// A bound of nativeMs on this machine. An emulated machine runs several
// times slower (MORVANTIA_TIMING_FACTOR, set by the test run there), where
// a bound only has to catch a hang.
unsigned long timingBound(unsigned long nativeMs);

}  // namespace testing_support
