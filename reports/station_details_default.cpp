// Without a screen to show the station-details dialog on, the details loaded
// from the INI file are taken as confirmed.
#include "reports/cabrillo_log.h"

namespace reports {

StationDetailsEditor &defaultStationDetailsEditor() {
    static ConfirmingEditor editor;
    return editor;
}

}  // namespace reports
