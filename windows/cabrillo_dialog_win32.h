// The station-details dialog: the Cabrillo header fields, shown modally on
// the host's thread when the host asks for an export.
#pragma once

#include "framework/dialog.h"
#include "reports/cabrillo_log.h"

namespace ui {

class CabrilloDialog : public framework::CDialog {
public:
    CabrilloDialog();

    // The texts shown and, after OK, edited; 8-bit host texts.
    reports::StationDetails values;

protected:
    void DoDataExchange(framework::CDataExchange &dx) override;
};

// Shows the dialog; true when the operator confirmed it.
class CabrilloDialogEditor : public reports::StationDetailsEditor {
public:
    bool edit(reports::StationDetails &details) override;
};

}  // namespace ui
