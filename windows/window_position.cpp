#include "windows/window_position.h"

#include "windows/companion_texts.h"

#include <cstdlib>

namespace companion {

SavedPosition positionFromIni(const std::string &x, const std::string &y) {
    SavedPosition position;
    position.x = std::atoi(x.c_str());
    position.y = std::atoi(y.c_str());
    if (position.x == 0) position.x = 10;
    if (position.y == 0) position.y = 400;
    return position;
}

std::vector<std::pair<std::string, std::string>> positionWrites(SavedPosition &saved,
                                                                const PositionKeys &keys,
                                                                int left, int top) {
    std::vector<std::pair<std::string, std::string>> writes;
    if (left != saved.x) {
        saved.x = left;
        writes.emplace_back(keys.x, std::to_string(left));
    }
    if (top != saved.y) {
        saved.y = top;
        writes.emplace_back(keys.y, std::to_string(top));
    }
    return writes;
}

OwnCodeInput ownCodeInput(const std::string &ownPrefix, const std::string &myCounty,
                          const std::string &myCountry, bool russian) {
    OwnCodeInput input;
    if (ownPrefix == "YO") {
        input.county = true;
        if (!myCounty.empty()) {
            input.label = kYourCountyLabel;
            input.code = myCounty;
        }
        return input;
    }
    input.codeKnown = !myCountry.empty();
    input.label = input.codeKnown ? countryKnownLabel(russian) : countryAskLabel(russian);
    input.code = myCountry;
    return input;
}

}  // namespace companion
