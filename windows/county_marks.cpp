#include "windows/county_marks.h"

#include "resources/resource.h"

namespace companion {

const std::array<TrackerCounty, kTrackerCounties> &trackerCounties() {
    static const std::array<TrackerCounty, kTrackerCounties> counties{{
        {"AB", IDC_COUNTY_AB}, {"AG", IDC_COUNTY_AG}, {"AR", IDC_COUNTY_AR},
        {"BC", IDC_COUNTY_BC}, {"BH", IDC_COUNTY_BH}, {"BN", IDC_COUNTY_BN},
        {"BR", IDC_COUNTY_BR}, {"BT", IDC_COUNTY_BT}, {"BV", IDC_COUNTY_BV},
        {"BU", IDC_COUNTY_BU}, {"BZ", IDC_COUNTY_BZ}, {"CJ", IDC_COUNTY_CJ},
        {"CL", IDC_COUNTY_CL}, {"CS", IDC_COUNTY_CS}, {"CT", IDC_COUNTY_CT},
        {"CV", IDC_COUNTY_CV}, {"DB", IDC_COUNTY_DB}, {"DJ", IDC_COUNTY_DJ},
        {"GJ", IDC_COUNTY_GJ}, {"GL", IDC_COUNTY_GL}, {"GR", IDC_COUNTY_GR},
        {"HD", IDC_COUNTY_HD}, {"HR", IDC_COUNTY_HR}, {"IF", IDC_COUNTY_IF},
        {"IL", IDC_COUNTY_IL}, {"IS", IDC_COUNTY_IS}, {"MH", IDC_COUNTY_MH},
        {"MM", IDC_COUNTY_MM}, {"MS", IDC_COUNTY_MS}, {"NT", IDC_COUNTY_NT},
        {"OT", IDC_COUNTY_OT}, {"PH", IDC_COUNTY_PH}, {"SB", IDC_COUNTY_SB},
        {"SJ", IDC_COUNTY_SJ}, {"SM", IDC_COUNTY_SM}, {"SV", IDC_COUNTY_SV},
        {"TL", IDC_COUNTY_TL}, {"TM", IDC_COUNTY_TM}, {"TR", IDC_COUNTY_TR},
        {"VL", IDC_COUNTY_VL}, {"VN", IDC_COUNTY_VN}, {"VS", IDC_COUNTY_VS},
        {"XA", IDC_COUNTY_XA}, {"XB", IDC_COUNTY_XB}, {"XC", IDC_COUNTY_XC},
        {"XD", IDC_COUNTY_XD}, {"XE", IDC_COUNTY_XE}, {"XF", IDC_COUNTY_XF},
    }};
    return counties;
}

bool CountyMarks::show(TrackerPosition &position, int bandRow, int modeClass,
                       const engine::TextArray &worked) {
    const bool changed = bandRow != position.bandRow || modeClass != position.modeClass;
    if (changed) reset();
    const auto &counties = trackerCounties();
    for (const std::string &code : worked) {
        for (int i = 0; i < kTrackerCounties; ++i)
            if (marks_[static_cast<std::size_t>(i)] == 0 &&
                code == counties[static_cast<std::size_t>(i)].code)
                marks_[static_cast<std::size_t>(i)] = 1;
        // Only a pass that marked something moves the tracker: after an
        // empty list the next pass resets again.
        position.bandRow = bandRow;
        position.modeClass = modeClass;
    }
    return changed;
}

}  // namespace companion
