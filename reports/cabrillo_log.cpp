#include "reports/cabrillo_log.h"

#include "contract/plugin_files.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "reports/text_format.h"

namespace reports {
namespace {

const char *const kIni = "Plugins\\Morvantia.ini";
const char *const kSection = "Settings";

std::string readKey(const char *key, const std::string &fallback = std::string()) {
    return platform::readProfileString(kSection, key, fallback, kIni);
}

void writeKey(const char *key, const std::string &value) {
    platform::writeProfileString(kSection, key, value, kIni);
}

std::string trimWhite(const std::string &text) {
    const char *white = " \t\r\n\v\f";
    const std::size_t begin = text.find_first_not_of(white);
    if (begin == std::string::npos) return std::string();
    return text.substr(begin, text.find_last_not_of(white) - begin + 1);
}

std::string encodeSoapbox(const std::string &text) {
    return ReplaceAll(ReplaceAll(text, "\r", "<CR>"), "\n", "<LF>");
}

// Each line of the soapbox becomes a "SOAPBOX: " line of its own.
std::string soapboxForLog(const std::string &encoded) {
    return ReplaceAll(ReplaceAll(encoded, "<CR>", "\r\nSOAPBOX: "), "<LF>", "");
}

}  // namespace

std::string ReplaceAll(const std::string &text, const std::string &from,
                       const std::string &to) {
    if (from.empty() || from == to) return text;
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t found = text.find(from, pos);
        if (found == std::string::npos) break;
        result.append(text, pos, found - pos).append(to);
        pos = found + from.size();
    }
    return result.append(text, pos, std::string::npos);
}

int CabrilloLog::EditStationDetails(const std::string &callsign,
                                    StationDetailsEditor &editor) {
    StationDetails &d = details_;
    d.callsign = callsign;
    fileBase_ = trimWhite(ReplaceAll(ReplaceAll(callsign, "/", "_"), "\\", "_"));
    if (fileBase_.empty()) fileBase_ = "TEVO";

    d.operators = readKey("Operators", d.callsign);
    d.name = readKey("Name");
    d.address = readKey("Address");
    d.addressCity = readKey("Address_City");
    d.addressPostalCode = readKey("Address_PostalCode");
    d.addressProvince = readKey("Address_Province");
    d.addressCountry = readKey("Address_Country");
    d.claimed = readKey("Claimed");
    d.contest = "MORVANTIA";
    d.categoryOperator = "SINGLE-OP";
    d.categoryAssisted = "NON-ASSISTED";
    d.categoryBand = "ALL";
    d.categoryPower = "HIGH";
    d.categoryMode = "MIXED";
    d.location = "DX";
    d.email = readKey("Email");
    d.club = readKey("Club");
    d.soapbox = ReplaceAll(ReplaceAll(readKey("SoapBox"), "<CR>", "\r"), "<LF>", "\n");

    StationDetails edited = d;
    if (!editor.edit(edited)) {
        // Keep what was loaded, but in the form the log needs: a soapbox with
        // real line breaks would otherwise put untagged lines into the file.
        d.soapbox = soapboxForLog(encodeSoapbox(d.soapbox));
        return 0;
    }
    const std::string claimed = d.claimed;
    d = edited;
    d.claimed = claimed;
    const std::string encoded = encodeSoapbox(d.soapbox);

    writeKey("Operators", d.operators);
    writeKey("Name", d.name);
    writeKey("Address", d.address);
    writeKey("Address_City", d.addressCity);
    writeKey("Address_Province", d.addressProvince);
    writeKey("Address_PostalCode", d.addressPostalCode);
    writeKey("Address_Country", d.addressCountry);
    writeKey("Category", d.categoryOperator);
    writeKey("Category_Assisted", d.categoryAssisted);
    writeKey("Category_Band", d.categoryBand);
    writeKey("Category_Power", d.categoryPower);
    writeKey("Category_Station", categoryStation_);
    writeKey("Category_Transmitter", d.categoryTransmitter);
    writeKey("Category_Overlay", d.categoryOverlay);
    writeKey("Contest", d.contest);
    writeKey("Email", d.email);
    writeKey("Club", d.club);
    writeKey("SoapBox", encoded);

    d.soapbox = soapboxForLog(encoded);
    qsoLines_.clear();
    return 1;
}

void CabrilloLog::AddQsoLine(const std::string &call, int freqKHz, const std::string &mode,
                             const std::string &time, const std::string &rstSent,
                             const std::string &exchSent, const std::string &rstReceived,
                             const std::string &exchReceived) {
    qsoLines_.push_back(format("QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n", freqKHz,
                               mode.c_str(), time.c_str(), details_.callsign.c_str(),
                               rstSent.c_str(), exchSent.c_str(), call.c_str(),
                               rstReceived.c_str(), exchReceived.c_str()));
}

WriteOutcome CabrilloLog::WriteLog(int claimedScore, const std::string &hostVersion) {
    const StationDetails &d = details_;
    const std::string fileName = fileBase_ + ".cbr";
    std::string text;
    auto line = [&text](const std::string &l) { text += l + "\r\n"; };
    line("START-OF-LOG: 3.0");
    line("LOCATION: " + d.location);
    line("CALLSIGN: " + d.callsign);
    line("CLUB: " + d.club);
    line("CONTEST: MORVANTIA");
    line("CATEGORY-OPERATOR: " + d.categoryOperator);
    line("CATEGORY-ASSISTED: " + d.categoryAssisted);
    line("CATEGORY-BAND: " + d.categoryBand);
    line("CATEGORY-MODE: " + d.categoryMode);
    line("CATEGORY-POWER: " + d.categoryPower);
    line("CATEGORY-STATION: FIXED");
    line("CATEGORY-TRANSMITTER: " + d.categoryTransmitter);
    line("CLAIMED-SCORE: " + std::to_string(claimedScore));
    line("OPERATORS: " + d.operators);
    line("NAME: " + d.name);
    line("ADDRESS: " + d.address);
    line("ADDRESS-CITY: " + d.addressCity);
    line("ADDRESS-POSTALCODE: " + d.addressPostalCode);
    line("ADDRESS-COUNTRY: " + d.addressCountry);
    line("CREATED-BY: Vexa " + hostVersion);
    line("E-MAIL: " + d.email);
    line("SOAPBOX: " + d.soapbox);
    for (const std::string &qso : qsoLines_) text += qso;
    line("END-OF-LOG:");
    // Each export starts its QSO lines afresh, written or not.
    qsoLines_.clear();

    WriteOutcome outcome;
    // A failed export leaves an earlier log of the same name whole.
    const bool ok = platform::writeFileWhole(fileName, text);
    outcome.written = ok;
    outcome.message = ok ? "File produced: " + fileName
                         : contract::kUnwrittenFileLead + fileName;
    return outcome;
}

}  // namespace reports
