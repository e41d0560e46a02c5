// The county tracker's marks: which of the 48 counties are worked on the
// band and mode class the host is on.
#pragma once

#include "engine/engine_state.h"

#include <array>

namespace companion {

constexpr int kTrackerCounties = 48;
// The counties in the tracker's order (its six rows of eight) with their
// control ids.
struct TrackerCounty {
    const char *code;
    int controlId;
};
const std::array<TrackerCounty, kTrackerCounties> &trackerCounties();

// The band row and mode class the marks were last made for; lives as long
// as the library. 10 matches no band row, so the first pass resets.
struct TrackerPosition {
    int bandRow = 10;
    int modeClass = 10;
};

class CountyMarks {
public:
    void reset() { marks_.fill(0); }
    // One marking pass for band row and mode class with that pair's
    // multiplier list. Returns true when it reset first (band or mode
    // changed since the last pass that marked anything).
    bool show(TrackerPosition &position, int bandRow, int modeClass,
              const engine::TextArray &worked);
    const std::array<int, kTrackerCounties> &marks() const { return marks_; }

private:
    std::array<int, kTrackerCounties> marks_{};
};

}  // namespace companion
