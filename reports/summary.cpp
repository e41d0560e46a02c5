#include "reports/summary.h"

#include "contract/plugin_files.h"
#include "reports/text_format.h"

namespace reports {

const char *const htmlHead =
    "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid "
    "black; border-collapse: collapse; }th, td{ padding: 1px; text-align: "
    "middle; }th,td{ background-color: #fffac6; color: black}</style></head>"
    "<body>";
const char *const htmlFooter = "</table></body></html>";

void addCounts(RowFigures &sum, const RowFigures &part) {
    sum.qsos += part.qsos;
    sum.points += part.points;
    sum.counties += part.counties;
    sum.countries += part.countries;
    sum.digi += part.digi;
    sum.cw += part.cw;
    sum.ssb += part.ssb;
    sum.dupes += part.dupes;
}

namespace {

const char *const htmlTitle =
    "<center><b>%s</b></center><center>Contestant:  <b>%s</center></b><table>";
const char *const htmlHeaderRow =
    "<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> "
    "%s</th><th> %s</th><th> %s</th></tr>";
const char *const htmlBandRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>"
    "%i</center></td><td><center>%i</center></td><td><center>%i</center></td>"
    "<td><center>%i</center></td><td><center>%i</center></td><td><center>%i"
    "</center></td></tr>";
const char *const htmlTotalRow = htmlBandRow;
const char *const htmlDupeRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td "
    "colspan=8> </td></tr>";
const char *const htmlBadRow = htmlDupeRow;
const char *const htmlScoreRow =
    "<tr><th>%s</th><td colspan=9><center>%i * (%i + %i) = %i</center></td>"
    "</tr>";

const char *const plainHead =
    "\tMORVANTIA CONTEST %s \r\n\t\tContestant: %s\r\n"
    "\tQSOs\tPoints\tCounty\tCountry\tDIGI\tCW\tSSB\r\n";
const char *const plainBandRow = "%s\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\n";
const char *const plainTotalRow = "Total\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\n";
const char *const plainDupeRow = "Dupe\t %i\r\n";
const char *const plainBadRow = "Bad QSO\t %i\r\n";
const char *const plainScoreRow = "Score:\t %i*(%i+%i)=%i\r\n";

}  // namespace

std::string escapeHtml(const std::string &text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

void appendSummaryHead(std::string &out, bool html, const std::string &contestDate,
                       const std::string &contestant) {
    if (html) {
        const std::string title = "   MORVANTIA CONTEST " + contestDate;
        out += htmlHead;
        out += format(htmlTitle, escapeHtml(title).c_str(),
                      escapeHtml(contestant).c_str());
        out += format(htmlHeaderRow, "Band", "QSOs", "Points", "County", "Country",
                      "DIGI", "CW", "SSB");
    } else {
        out += format(plainHead, contestDate.c_str(), contestant.c_str());
    }
}

void appendBandRow(std::string &out, bool html, const std::string &band,
                   const BandFigures &f) {
    if (html)
        out += format(htmlBandRow, escapeHtml(band).c_str(), f.qsos, f.points,
                      f.counties, f.countries, f.digi, f.cw, f.ssb);
    else
        out += format(plainBandRow, band.c_str(), f.qsos, f.points, f.counties,
                      f.countries, f.digi, f.cw, f.ssb);
}

using contract::kUnwrittenFileLead;

void appendSummaryEnd(std::string &out, bool html, const ResultFigures &t,
                      const std::vector<std::string> &unwrittenFiles) {
    if (html) {
        out += format(htmlTotalRow, "Total", t.qsos, t.points, t.counties,
                      t.countries, t.digi, t.cw, t.ssb);
        out += format(htmlDupeRow, "Dupe", t.dupes);
        out += format(htmlBadRow, "Bad QSO", t.badShown);
        out += format(htmlScoreRow, "Score:", t.points, t.counties, t.countries,
                      t.score);
        for (const std::string &name : unwrittenFiles)
            out += "<tr><td colspan=10>" + escapeHtml(kUnwrittenFileLead + name) +
                   "</td></tr>";
        out += htmlFooter;
    } else {
        out += format(plainTotalRow, t.qsos, t.points, t.counties, t.countries,
                      t.digi, t.cw, t.ssb);
        out += format(plainDupeRow, t.dupes);
        out += format(plainBadRow, t.badShown);
        out += format(plainScoreRow, t.points, t.countries, t.counties, t.score);
        for (const std::string &name : unwrittenFiles)
            out += kUnwrittenFileLead + name + "\r\n";
    }
}

}  // namespace reports
