// The station-details dialog: the Cabrillo header fields, shown modally on
// the host's thread when the host asks for an export.
#pragma once

#include "framework/dialog.h"
#include "reports/cabrillo_log.h"

namespace reports {

class Cabrillo : public framework::CDialog {
public:
    Cabrillo();

    // The texts shown and, after OK, edited; 8-bit host texts.
    StationDetails values;

protected:
    void DoDataExchange(framework::CDataExchange &dx) override;
};

// Shows the dialog; true when the operator confirmed it.
class CabrilloDialogEditor : public StationDetailsEditor {
public:
    bool edit(StationDetails &details) override;
};

}  // namespace reports
