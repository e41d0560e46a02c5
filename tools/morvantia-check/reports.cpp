#include "tools/morvantia-check/reports.h"

#include "tools/common/json_layout.h"
#include "tools/common/mode_class.h"
#include "tools/common/summary_figures.h"
#include "tools/common/text.h"

#include "results_page.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>

namespace check {
namespace {

const char *const kSep = "  ";

std::string two(int n) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string dateText(const tools::QsoTime &t) {
    return std::to_string(t.year) + "-" + two(t.month) + "-" + two(t.day);
}

std::string timeText(const tools::QsoTime &t) {
    return dateText(t) + " " + two(t.hour) + ":" + two(t.minute);
}

std::string isoTime(const tools::QsoTime &t) {
    return dateText(t) + "T" + two(t.hour) + ":" + two(t.minute) + "Z";
}

std::string exchange(const std::string &serial, const std::string &code) {
    if (serial.empty()) return code;
    if (code.empty()) return serial;
    return serial + " " + code;
}

// The label a status has in the reports.
const char *statusLabel(Status status) {
    switch (status) {
    case Status::Confirmed: return "confirmed";
    case Status::BustedExchange: return "busted exchange";
    case Status::BustedCall: return "busted call";
    case Status::NotInLog: return "not in log";
    case Status::Unique: return "unique";
    case Status::Unchecked: return "unchecked";
    case Status::Dupe: return "dupe";
    case Status::Bad: return "bad";
    }
    return "?";
}

std::string upperFirst(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string padLeft(const std::string &text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string padRight(const std::string &text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string claimedText(const Entrant &e) {
    return e.header.claimedScore ? std::to_string(*e.header.claimedScore) : std::string("-");
}

std::string sentBy(const Entrant &other, const tools::ContestQso &qso) {
    return exchange(qso.sentNumber, qso.sentCode.empty() ? other.log.ownCode : qso.sentCode);
}

std::string where(const Entrant &e, const QsoRef &ref) {
    return baseName(e.file) + " line " + std::to_string(e.qso(ref.qso).line) +
           (ref.qso >= e.log.qsos.size() ? " (X-QSO)" : "");
}

}  // namespace

std::string qsoLine(const tools::ContestQso &q, const std::string &ownCall) {
    const std::string frequency =
        q.frequencyHz != 0 ? std::to_string(q.frequencyHz / 1000) : q.band;
    return "QSO:  " + frequency + kSep + q.mode + kSep + dateText(q.time) + " " + two(q.time.hour) +
           two(q.time.minute) + kSep + ownCall + kSep + q.rstSent + kSep +
           exchange(q.sentNumber, q.sentCode) + kSep + q.call + kSep + q.rstReceived + kSep +
           q.receivedExchange;
}

std::string periodText(const ContestCheck &check) {
    const Period &period = check.period();
    if (period.given())
        return "contest period " + (period.start ? timeText(*period.start) : std::string("open")) +
               " to " + (period.end ? timeText(*period.end) : std::string("open"));
    if (!check.covered()) return "no QSO checked";
    return "no contest period given; the QSOs checked run from " +
           timeText(check.covered()->first) + " to " + timeText(check.covered()->second);
}

std::string countOf(std::size_t count, const char *singular, const char *plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

namespace {

// Names Windows keeps for devices, whatever the extension: a file called
// COM1.txt cannot be made there.
bool isDeviceName(const std::string &name) {
    const std::string upper = tools::upper(name);
    for (const char *device : {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"})
        if (upper == device) return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           tools::isAsciiDigit(upper[3]);
}

// A short, stable fingerprint of a text (FNV-1a), to keep cut names apart.
std::string fingerprint(const std::string &text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(hash));
    return buffer;
}

}  // namespace

std::string reportFileName(const std::string &call) {
    const std::size_t kMaxStem = 40;
    std::string name;
    for (char c : call)
        name += tools::isAsciiLetter(c) || tools::isAsciiDigit(c) ? c : '-';
    // Calls are checked for length before; a name made elsewhere still
    // stays short and apart from others.
    if (name.size() > kMaxStem) name = name.substr(0, kMaxStem) + "-" + fingerprint(call);
    // "_" comes from no call, so "COM1_" cannot meet another entrant's name.
    if (name.empty() || isDeviceName(name)) name += '_';
    return name + ".txt";
}

std::string baseName(const std::string &path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string entrantReport(const ContestCheck &check, std::size_t index) {
    const std::vector<Entrant> &entrants = check.entrants();
    const Entrant &e = entrants[index];
    std::string out;
    out += "MORVANTIA contest check of " + e.call + "\n";
    out += "Log:            " + baseName(e.file) + " (" + tools::formatName(e.format) + ")\n";
    out += "Category:       " + e.header.category() +
           (e.header.known() ? "" : ": " + e.header.written()) + "\n";
    out += "Claimed score:  " + claimedText(e) + "\n";
    out += "Plug-in score:  " + std::to_string(e.uncheckedScore) + " (the log as sent)\n";
    out += "Checked score:  " + std::to_string(e.checkedScore) + "\n";
    out += "Window:         " +
           countOf(static_cast<std::size_t>(check.windowMinutes()), "minute", "minutes") + "\n";
    if (check.period().given()) {
        out += "Period:         " + periodText(check) + "\n";
        out += "Outside it:     " + std::to_string(e.outsidePeriod.size()) +
               " QSOs, not scored and not checked\n";
    }
    if (const std::string note = ownCallNote(e); !note.empty())
        out += "Own call:       " + note + "\n";
    if (const std::string note = clockNote(e); !note.empty())
        out += "Clock:          " + note + "\n";
    out += "QSOs:           " + std::to_string(e.log.qsos.size()) + "\n";
    if (!e.xQsos.empty())
        out += "X-QSOs:         " + std::to_string(e.xQsos.size()) +
               ", not scored; evidence for the other stations\n";
    for (int s = 0; s < kStatusCount; ++s)
        out += "  " + padRight(statusLabel(static_cast<Status>(s)), 16) +
               padLeft(std::to_string(e.counts[s]), 6) + "\n";
    out += "\n";

    // Problem lines by their line in the log, QSOs outside the period among them.
    std::vector<std::pair<int, std::string>> listed;
    for (const tools::ContestQso &qso : e.outsidePeriod)
        listed.emplace_back(qso.line, qsoLine(qso, e.ownCallOf(qso)) + "   OUTSIDE THE CONTEST PERIOD !!!   line " +
                                          std::to_string(qso.line) + "; " + periodText(check));
    for (std::size_t q = 0; q < e.log.qsos.size(); ++q) {
        const QsoResult &r = e.results[q];
        if (r.status == Status::Confirmed || r.status == Status::Unchecked) continue;
        const tools::ContestQso &qso = e.log.qsos[q];
        std::string reason;
        std::string detail = "line " + std::to_string(qso.line);
        const Entrant *other = r.other.valid() ? &entrants[r.other.log] : nullptr;
        const tools::ContestQso *theirs = other ? &other->qso(r.other.qso) : nullptr;
        switch (r.status) {
        case Status::BustedExchange:
            reason = "BUSTED EXCHANGE";
            detail += "; " + other->call + " sent " + sentBy(*other, *theirs) + " (" +
                      where(*other, r.other) + ")";
            break;
        case Status::BustedCall:
            reason = "BUSTED CALL";
            detail += "; " + other->call + " logged you: " + where(*other, r.other) + ": " +
                      qsoLine(*theirs, other->ownCallOf(*theirs));
            break;
        case Status::NotInLog: {
            reason = "NOT IN LOG";
            const std::string call = tools::upper(qso.call);
            if (other != nullptr) {
                detail += "; nearest QSO with " + e.ownCallOf(qso) + " in " + other->call + "'s log: " +
                          where(*other, r.other) + ": " + qsoLine(*theirs, other->ownCallOf(*theirs));
            } else {
                const auto sender =
                    std::find_if(entrants.begin(), entrants.end(),
                                 [&call](const Entrant &x) { return x.call == call; });
                detail += "; no QSO with " + e.ownCallOf(qso) + " in " +
                          (sender != entrants.end() ? baseName(sender->file) : call + "'s log");
            }
            break;
        }
        case Status::Unique:
            reason = "UNIQUE";
            detail += "; " + tools::upper(qso.call) + " sent no log and is in no other log";
            break;
        case Status::Dupe: reason = "DUPE"; break;
        case Status::Bad: reason = check.reasons()[r.reason]; break;
        case Status::Confirmed:
        case Status::Unchecked: break;
        }
        listed.emplace_back(qso.line, qsoLine(qso, e.ownCallOf(qso)) + "   " + reason + " !!!   " + detail);
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    if (listed.empty())
        out += "No QSO with a problem.\n";
    else
        out += "QSOs with a problem: " + std::to_string(listed.size()) + "\n";
    for (const auto &line : listed) out += line.second + "\n";
    return out;
}

std::vector<Standing> standings(const ContestCheck &check) {
    const std::vector<Entrant> &entrants = check.entrants();
    std::vector<std::size_t> order(entrants.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::vector<std::string> categories(entrants.size());
    for (std::size_t i = 0; i < entrants.size(); ++i) categories[i] = entrants[i].header.category();
    // Logs without a category come last.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const bool aHas = entrants[a].header.hasCategory(), bHas = entrants[b].header.hasCategory();
        if (aHas != bHas) return aHas;
        if (categories[a] != categories[b]) return categories[a] < categories[b];
        if (entrants[a].checkedScore != entrants[b].checkedScore)
            return entrants[a].checkedScore > entrants[b].checkedScore;
        return entrants[a].call < entrants[b].call;
    });
    // Equal scores share a place; the next score takes the place after all
    // of them (1, 2, 2, 4).
    std::vector<Standing> result;
    std::size_t categoryStart = 0;
    int place = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t i = order[k];
        if (k == 0 || categories[i] != categories[order[k - 1]]) {
            categoryStart = k;
            place = 1;
        } else if (entrants[i].checkedScore != entrants[order[k - 1]].checkedScore) {
            place = static_cast<int>(k - categoryStart) + 1;
        }
        result.push_back({i, place});
    }
    return result;
}

namespace {

struct Column {
    const char *title;
    std::size_t width;
};

const Column kTextColumns[] = {
    {"Place", 5}, {"Call", 12}, {"Claimed", 9}, {"Plug-in", 9}, {"Checked", 9}, {"QSOs", 6},
    {"Conf", 6}, {"B.exch", 7}, {"B.call", 7}, {"NIL", 5}, {"Uniq", 5}, {"Unch", 5},
    {"Dupe", 5}, {"Bad", 5},
};

std::vector<std::string> rowCells(const Entrant &e, int place) {
    std::vector<std::string> cells = {std::to_string(place), e.call, claimedText(e),
                                      std::to_string(e.uncheckedScore),
                                      std::to_string(e.checkedScore),
                                      std::to_string(e.log.qsos.size())};
    for (int s = 0; s < kStatusCount; ++s) cells.push_back(std::to_string(e.counts[s]));
    return cells;
}

bool isNumber(const std::string &text) {
    const std::size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
}

// A cell a spreadsheet would take for a formula ("=1+2", "+CMD|...",
// "@SUM(1)", a leading tab or CR) gets a leading apostrophe, as spreadsheet
// users write text that must stay text; numbers stay numbers.
std::string csvCell(std::string text) {
    if (!text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos && !isNumber(text))
        text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string html(const std::string &text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> logNotes(const ContestCheck &check) {
    std::vector<std::string> notes;
    for (const Entrant &e : check.entrants()) {
        const std::string where = e.file + " (" + e.call + "): ";
        if (const std::string note = ownCallNote(e); !note.empty()) notes.push_back(where + note);
        if (const std::string note = clockNote(e); !note.empty()) notes.push_back(where + note);
    }
    return notes;
}

std::string problemText(const InputProblem &p) {
    return p.file + (p.line > 0 ? ":" + std::to_string(p.line) : std::string()) + ": " + p.message;
}

std::string resultsText(const ContestCheck &check, const std::vector<InputProblem> &leftOut) {
    const std::vector<Entrant> &entrants = check.entrants();
    std::string out = "MORVANTIA contest results: " + countOf(entrants.size(), "log", "logs") +
                      " checked, window " +
                      countOf(static_cast<std::size_t>(check.windowMinutes()), "minute", "minutes") +
                      "\n" + upperFirst(periodText(check)) + "\n";
    const std::vector<Standing> order = standings(check);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(order.size());
    // Each column as wide as its widest cell and a blank, so that no two
    // numbers ever run together.
    std::vector<std::size_t> widths;
    for (const Column &column : kTextColumns) widths.push_back(column.width);
    for (const Standing &s : order) {
        rows.push_back(rowCells(entrants[s.entrant], s.place));
        for (std::size_t c = 0; c < rows.back().size(); ++c)
            widths[c] = std::max(widths[c], rows.back()[c].size() + (c == 1 ? 0 : 1));
    }
    std::string current;
    bool first = true;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Entrant &e = entrants[order[k].entrant];
        const std::string category = e.header.category();
        if (first || category != current) {
            out += "\n" + category + "\n";
            std::string head;
            for (std::size_t c = 0; c < std::size(kTextColumns); ++c)
                head += c == 1 ? " " + padRight(kTextColumns[c].title, widths[c])
                               : padLeft(kTextColumns[c].title, widths[c]);
            out += head + "\n";
            current = category;
            first = false;
        }
        const std::vector<std::string> &cells = rows[k];
        std::string row;
        for (std::size_t c = 0; c < cells.size(); ++c)
            row += c == 1 ? " " + padRight(cells[c], widths[c]) : padLeft(cells[c], widths[c]);
        out += row + "\n";
    }
    if (const std::vector<std::string> notes = logNotes(check); !notes.empty()) {
        out += "\nNotes (" + std::to_string(notes.size()) + "):\n";
        for (const std::string &note : notes) out += "  " + note + "\n";
    }
    if (!leftOut.empty()) {
        out += "\nLeft out (" + std::to_string(leftOut.size()) + "):\n";
        for (const InputProblem &p : leftOut) out += "  " + problemText(p) + "\n";
    }
    return out;
}

std::string resultsCsv(const ContestCheck &check) {
    std::string out =
        "category_operator,category_mode,category_power,location,place,call,file,"
        "claimed_score,unchecked_score,checked_score,qsos";
    for (int s = 0; s < kStatusCount; ++s) out += std::string(",") + statusName(static_cast<Status>(s));
    out += "\n";
    for (const Standing &s : standings(check)) {
        const Entrant &e = check.entrants()[s.entrant];
        std::vector<std::string> cells = {e.header.categoryOperator, e.header.categoryMode,
                                          e.header.categoryPower, e.header.location,
                                          std::to_string(s.place), e.call, e.file,
                                          e.header.claimedScore
                                              ? std::to_string(*e.header.claimedScore)
                                              : std::string(),
                                          std::to_string(e.uncheckedScore),
                                          std::to_string(e.checkedScore),
                                          std::to_string(e.log.qsos.size())};
        for (int c = 0; c < kStatusCount; ++c) cells.push_back(std::to_string(e.counts[c]));
        for (std::size_t c = 0; c < cells.size(); ++c)
            out += (c == 0 ? "" : ",") + csvCell(cells[c]);
        out += "\n";
    }
    return out;
}

namespace {

// Above the table: what was checked, and the category chooser.
std::string pageIntro(const ContestCheck &check) {
    std::map<std::string, int> categories;
    for (const Entrant &e : check.entrants()) ++categories[e.header.category()];
    std::string out = "<p class=\"note\">" + countOf(check.entrants().size(), "log", "logs") +
                      " checked against each other, window " +
                      countOf(static_cast<std::size_t>(check.windowMinutes()), "minute", "minutes") +
                      "; " + html(periodText(check)) + ". Click a column to sort by it.</p>\n";
    out += "<p><label for=\"category\">Category</label><select id=\"category\">\n"
           "<option value=\"\">all categories</option>\n";
    for (const auto &[category, count] : categories)
        out += "<option value=\"" + html(category) + "\">" + html(category) + " (" +
               std::to_string(count) + ")</option>\n";
    return out + "</select></p>\n";
}

std::string pageRow(const Entrant &e, int place) {
    const std::string category = e.header.category();
    // An unknown category shows what the log wrote beside the name of its group.
    const std::string shown = e.header.known() ? category : category + ": " + e.header.written();
    std::string out = "<tr data-category=\"" + html(category) + "\"><td class=\"cat\">" +
                      html(shown) + "</td>";
    const std::vector<std::string> cells = rowCells(e, place);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c == 1) {
            out += "<td><a href=\"reports/" + html(reportFileName(e.call)) + "\">" +
                   html(cells[c]) + "</a></td>";
            continue;
        }
        const bool lost = c == 4 && e.checkedScore < e.uncheckedScore;
        const bool zero = c >= 6 && cells[c] == "0";
        out += std::string("<td class=\"n") + (lost ? " lost" : "") + (zero ? " zero" : "") +
               "\">" + html(cells[c]) + "</td>";
    }
    return out + "</tr>\n";
}

std::string pageTable(const ContestCheck &check) {
    std::string out = "<table id=\"results\" class=\"grouped\">\n<thead><tr>";
    const char *const headers[] = {"Category", "Place", "Call", "Claimed", "Plug-in", "Checked",
                                   "QSOs", "Con&shy;firmed", "Busted<br>exchange",
                                   "Busted<br>call", "Not in<br>log", "Unique",
                                   "Un&shy;checked", "Dupe", "Bad"};
    for (const char *h : headers) out += std::string("<th>") + h + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (const Standing &s : standings(check)) out += pageRow(check.entrants()[s.entrant], s.place);
    return out + "</tbody>\n</table>\n";
}

// A headed list below the table; nothing when there is nothing to list.
std::string pageList(const std::string &title, const std::vector<std::string> &items) {
    if (items.empty()) return std::string();
    std::string out = "<h2>" + title + " (" + std::to_string(items.size()) + ")</h2>\n<ul>\n";
    for (const std::string &item : items) out += "<li>" + html(item) + "</li>\n";
    return out + "</ul>\n";
}

}  // namespace

std::string resultsHtml(const ContestCheck &check, const std::vector<InputProblem> &leftOut) {
    // The page's style and script come from its template; the results go
    // where it holds the marker line.
    static const std::string kMarker = "@RESULTS@\n";
    const std::string page = kResultsPage;
    const std::size_t at = page.find(kMarker);
    std::vector<std::string> problems;
    for (const InputProblem &p : leftOut) problems.push_back(problemText(p));
    return page.substr(0, at) + pageIntro(check) + pageTable(check) +
           pageList("Notes", logNotes(check)) + pageList("Left out", problems) +
           page.substr(at + kMarker.size());
}

namespace {

using tools::Json;

Json timeOrNull(const std::optional<tools::QsoTime> &t) { return t ? Json(isoTime(*t)) : Json(); }

Json periodJson(const ContestCheck &check) {
    const std::optional<std::pair<tools::QsoTime, tools::QsoTime>> &covered = check.covered();
    return {{"start", timeOrNull(check.period().start)},
            {"end", timeOrNull(check.period().end)},
            {"first_qso", timeOrNull(covered ? std::optional(covered->first) : std::nullopt)},
            {"last_qso", timeOrNull(covered ? std::optional(covered->second) : std::nullopt)}};
}

// A log's figures before its QSOs, a few members a line, up to "qsos".
std::string logHead(const Entrant &e) {
    Json counts = Json::object();
    for (int s = 0; s < kStatusCount; ++s) counts[statusName(static_cast<Status>(s))] = e.counts[s];
    Json ownCalls = Json::array();
    for (const auto &[call, count] : e.lineCalls) ownCalls.push_back({{"call", call}, {"lines", count}});
    Json outside = Json::array();
    for (const auto &q : e.outsidePeriod)
        outside.push_back({{"line", q.line}, {"time", isoTime(q.time)}});
    const Json groups[] = {
        {{"file", e.file}, {"call", e.call}, {"format", tools::formatName(e.format)}},
        {{"categories",
          {{"operator", e.header.categoryOperator},
           {"mode", e.header.categoryMode},
           {"power", e.header.categoryPower},
           {"location", e.header.location}}}},
        {{"claimed_score", e.header.claimedScore ? Json(*e.header.claimedScore) : Json()},
         {"unchecked_score", e.uncheckedScore},
         {"checked_score", e.checkedScore},
         {"report", "reports/" + reportFileName(e.call)}},
        {{"counts", std::move(counts)}},
        {{"clock_correction_minutes", e.clockCorrection},
         {"x_qsos", e.xQsos.size()},
         {"own_calls", std::move(ownCalls)}},
        {{"outside_period", std::move(outside)}},
    };
    std::string out = "    {";
    for (const Json &group : groups) out += tools::inlineMembers(group) + ",\n     ";
    return out + "\"qsos\": [";
}

Json qsoJson(const ContestCheck &check, const tools::ContestQso &qso, const QsoResult &r) {
    Json json = {{"line", qso.line},
                 {"call", tools::upper(qso.call)},
                 {"band", qso.band},
                 {"mode_class", tools::modeClassOf(qso.mode)},
                 {"time", isoTime(qso.time)},
                 {"status", statusName(r.status)}};
    if (r.status == Status::Bad) json["reason"] = check.reasons()[r.reason];
    if (r.other.valid()) {
        const Entrant &other = check.entrants()[r.other.log];
        json["other"] = {{"file", other.file}, {"line", other.qso(r.other.qso).line}};
    } else {
        json["other"] = nullptr;
    }
    return json;
}

// One log, handed to sink a piece at a time: a QSO is one object.
void writeLogJson(const ContestCheck &check, const Entrant &e, bool first,
                  const std::function<void(const std::string &)> &sink) {
    std::string out = (first ? "\n" : ",\n") + logHead(e);
    for (std::size_t q = 0; q < e.log.qsos.size(); ++q) {
        out += (q == 0 ? "\n      " : ",\n      ") +
               tools::inlineJson(qsoJson(check, e.log.qsos[q], e.results[q]));
        if (out.size() > 65536) {
            sink(out);
            out.clear();
        }
    }
    sink(out + (e.log.qsos.empty() ? "]}" : "\n     ]}"));
}

}  // namespace

void writeJson(const ContestCheck &check, const std::vector<InputProblem> &problems,
               const std::function<void(const std::string &)> &sink) {
    const std::vector<Entrant> &entrants = check.entrants();
    sink("{\n  " + tools::inlineMembers({{"window_minutes", check.windowMinutes()}}) + ",\n  " +
         tools::inlineMembers({{"period", periodJson(check)}}) + ",\n  \"logs\": [");
    for (std::size_t i = 0; i < entrants.size(); ++i) writeLogJson(check, entrants[i], i == 0, sink);
    Json leftOut = Json::array();
    for (const InputProblem &p : problems)
        leftOut.push_back({{"file", p.file},
                           {"line", p.line > 0 ? Json(p.line) : Json()},
                           {"message", p.message}});
    sink((entrants.empty() ? "],\n  " : "\n  ],\n  ") + tools::blockMember("left_out", leftOut, 2) +
         "\n}\n");
}

}  // namespace check
