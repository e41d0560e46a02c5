#include "windows/cabrillo_dialog_win32.h"

#include "framework/text.h"
#include "resources/resource.h"

#include <windows.h>

namespace ui {
namespace {

enum class Kind { Edit, DropDown };

void exchange(framework::CDataExchange &dx, int id, std::string &member, Kind kind) {
    std::string utf8 = dx.Saving() ? std::string() : framework::AnsiToUtf8(member);
    if (kind == Kind::Edit)
        dx.Text(id, utf8);
    else
        dx.ComboText(id, utf8);
    if (dx.Saving()) member = framework::Utf8ToAnsi(utf8);
}

}  // namespace

CabrilloDialog::CabrilloDialog() : framework::CDialog(IDD_STATION_DETAILS) {}

void CabrilloDialog::DoDataExchange(framework::CDataExchange &dx) {
    reports::StationDetails &v = values;
    exchange(dx, IDC_CAB_CONTEST, v.contest, Kind::Edit);
    exchange(dx, IDC_CAB_CALLSIGN, v.callsign, Kind::Edit);
    exchange(dx, IDC_CAB_CLAIMED, v.claimed, Kind::Edit);
    exchange(dx, IDC_CAB_CATEGORY_OPERATOR, v.categoryOperator, Kind::DropDown);
    exchange(dx, IDC_CAB_CATEGORY_ASSISTED, v.categoryAssisted, Kind::DropDown);
    exchange(dx, IDC_CAB_CATEGORY_BAND, v.categoryBand, Kind::DropDown);
    exchange(dx, IDC_CAB_CATEGORY_MODE, v.categoryMode, Kind::DropDown);
    exchange(dx, IDC_CAB_CATEGORY_POWER, v.categoryPower, Kind::DropDown);
    exchange(dx, IDC_CAB_CATEGORY_TRANSMITTER, v.categoryTransmitter, Kind::DropDown);
    exchange(dx, IDC_CAB_CATEGORY_OVERLAY, v.categoryOverlay, Kind::DropDown);
    exchange(dx, IDC_CAB_NAME, v.name, Kind::Edit);
    exchange(dx, IDC_CAB_ADDRESS, v.address, Kind::Edit);
    exchange(dx, IDC_CAB_ADDRESS_CITY, v.addressCity, Kind::Edit);
    exchange(dx, IDC_CAB_ADDRESS_PROVINCE, v.addressProvince, Kind::Edit);
    exchange(dx, IDC_CAB_ADDRESS_POSTALCODE, v.addressPostalCode, Kind::Edit);
    exchange(dx, IDC_CAB_ADDRESS_COUNTRY, v.addressCountry, Kind::Edit);
    exchange(dx, IDC_CAB_OPERATORS, v.operators, Kind::Edit);
    exchange(dx, IDC_CAB_CLUB, v.club, Kind::Edit);
    exchange(dx, IDC_CAB_LOCATION, v.location, Kind::DropDown);
    exchange(dx, IDC_CAB_SOAPBOX, v.soapbox, Kind::Edit);
    exchange(dx, IDC_CAB_EMAIL, v.email, Kind::Edit);
}

bool CabrilloDialogEditor::edit(reports::StationDetails &details) {
    CabrilloDialog dialog;
    dialog.values = details;
    // A dialog that cannot even be created counts as cancelled: nothing is
    // stored and the details stay as loaded.
    if (dialog.DoModal() != IDOK) return false;
    details = dialog.values;
    return true;
}

}  // namespace ui
