// Synthetic contest logs for benchmarks: mostly clean QSOs with about 5%
// dupes (dupesPerThousand), 1% bad counties and a few QSOs on a wrong band.
#pragma once

#include "host/plugin_host.h"

#include <vector>

namespace bench {

std::vector<host::Qso> syntheticLog(int count, unsigned seed = 12345,
                                   int dupesPerThousand = 50);

}  // namespace bench
