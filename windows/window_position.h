// Where the companion windows open and how they remember where the operator
// put them: one saved position shared by the three windows, each with its
// own pair of INI keys.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace companion {

struct PositionKeys {
    const char *x;
    const char *y;
};
constexpr PositionKeys kSetupKeys{"setup_x", "setup_y"};
constexpr PositionKeys kPreviousQsoKeys{"prev_x", "prev_y"};
constexpr PositionKeys kCountyKeys{"yo_x", "yo_y"};

struct SavedPosition {
    int x = 0;
    int y = 0;
};

// The position read from the keys' texts; a missing, 0 or non-numeric value
// falls back to x 10 or y 400.
SavedPosition positionFromIni(const std::string &x, const std::string &y);

// A window's top-left corner is now (left, top): updates saved and returns
// the keys to write, x before y, only those whose value changed.
std::vector<std::pair<std::string, std::string>> positionWrites(SavedPosition &saved,
                                                                const PositionKeys &keys,
                                                                int left, int top);

// How the setup window offers the operator's own code: the county drop-down
// for a Romanian station, the country field for everybody else.
struct OwnCodeInput {
    bool county = false;         // drop-down 137 and label 140, else field 148 and label 150
    std::string label;           // new label text; empty keeps the template's
    bool codeKnown = false;      // label 150 at its lower place
    std::string code;            // the code shown and taken as the own code, if not empty
};
OwnCodeInput ownCodeInput(const std::string &ownPrefix, const std::string &myCounty,
                          const std::string &myCountry, bool russian);

}  // namespace companion
