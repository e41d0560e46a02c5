#include "tools/morvantia-check/reports.h"

#include "tools/morvantia-score/summary_figures.h"
#include "tools/morvantia-score/text.h"

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

std::string dateText(const score::QsoTime &t) {
    return std::to_string(t.year) + "-" + two(t.month) + "-" + two(t.day);
}

std::string timeText(const score::QsoTime &t) {
    return dateText(t) + " " + two(t.hour) + ":" + two(t.minute);
}

std::string isoTime(const score::QsoTime &t) {
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

std::string sentBy(const Entrant &other, const score::ContestQso &qso) {
    return exchange(qso.sentNumber, qso.sentCode.empty() ? other.log.ownCode : qso.sentCode);
}

std::string where(const Entrant &e, const QsoRef &ref) {
    return baseName(e.file) + " line " + std::to_string(e.qso(ref.qso).line) +
           (ref.qso >= e.log.qsos.size() ? " (X-QSO)" : "");
}

}  // namespace

std::string qsoLine(const score::ContestQso &q, const std::string &ownCall) {
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
    const std::string upper = score::upper(name);
    for (const char *device : {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"})
        if (upper == device) return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           score::isAsciiDigit(upper[3]);
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
        name += score::isAsciiLetter(c) || score::isAsciiDigit(c) ? c : '-';
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
    out += "Log:            " + baseName(e.file) + " (" + score::formatName(e.format) + ")\n";
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
    for (const score::ContestQso &qso : e.outsidePeriod)
        listed.emplace_back(qso.line, qsoLine(qso, e.ownCallOf(qso)) + "   OUTSIDE THE CONTEST PERIOD !!!   line " +
                                          std::to_string(qso.line) + "; " + periodText(check));
    for (std::size_t q = 0; q < e.log.qsos.size(); ++q) {
        const QsoResult &r = e.results[q];
        if (r.status == Status::Confirmed || r.status == Status::Unchecked) continue;
        const score::ContestQso &qso = e.log.qsos[q];
        std::string reason;
        std::string detail = "line " + std::to_string(qso.line);
        const Entrant *other = r.other.valid() ? &entrants[r.other.log] : nullptr;
        const score::ContestQso *theirs = other ? &other->qso(r.other.qso) : nullptr;
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
            const std::string call = score::upper(qso.call);
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
            detail += "; " + score::upper(qso.call) + " sent no log and is in no other log";
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

std::string resultsHtml(const ContestCheck &check, const std::vector<InputProblem> &leftOut) {
    const std::vector<Entrant> &entrants = check.entrants();
    std::map<std::string, int> categories;
    for (const Entrant &e : entrants) ++categories[e.header.category()];

    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>MORVANTIA contest results</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 1.5em; color: #1a1a1a; }\n"
        "h1 { font-size: 1.4em; margin-bottom: 0.2em; }\n"
        "p.note { color: #555; margin-top: 0; }\n"
        "table { border-collapse: collapse; font-size: 0.9em; }\n"
        "th, td { padding: 0.3em 0.5em; border-bottom: 1px solid #ddd; }\n"
        "th { background: #1f4e79; color: #fff; cursor: pointer; user-select: none; "
        "vertical-align: bottom; }\n"
        "th.sorted-up::after { content: \" \\25B2\"; }\n"
        "th.sorted-down::after { content: \" \\25BC\"; }\n"
        "td.n { text-align: right; font-variant-numeric: tabular-nums; }\n"
        "td.cat { white-space: nowrap; }\n"
        "td.zero { color: #b0b0b0; }\n"
        "td.lost { color: #a40000; }\n"
        "table.grouped tr.first td { border-top: 2px solid #1f4e79; }\n"
        "tr:nth-child(even) td { background: #f3f6fa; }\n"
        "label { margin-right: 0.5em; }\n"
        "</style>\n</head>\n<body>\n<h1>MORVANTIA contest results</h1>\n";
    out += "<p class=\"note\">" + countOf(entrants.size(), "log", "logs") +
           " checked against each other, window " +
           countOf(static_cast<std::size_t>(check.windowMinutes()), "minute", "minutes") +
           "; " + html(periodText(check)) + ". Click a column to sort by it.</p>\n";
    out += "<p><label for=\"category\">Category</label><select id=\"category\">\n"
           "<option value=\"\">all categories</option>\n";
    for (const auto &[category, count] : categories)
        out += "<option value=\"" + html(category) + "\">" + html(category) + " (" +
               std::to_string(count) + ")</option>\n";
    out += "</select></p>\n";
    out += "<table id=\"results\" class=\"grouped\">\n<thead><tr>";
    const char *const headers[] = {"Category", "Place", "Call", "Claimed", "Plug-in", "Checked",
                                   "QSOs", "Con&shy;firmed", "Busted<br>exchange",
                                   "Busted<br>call", "Not in<br>log", "Unique",
                                   "Un&shy;checked", "Dupe", "Bad"};
    for (const char *h : headers) out += std::string("<th>") + h + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (const Standing &s : standings(check)) {
        const Entrant &e = entrants[s.entrant];
        const std::string category = e.header.category();
        // An unknown category shows what the log wrote beside the name of its group.
        const std::string shown = e.header.known() ? category : category + ": " + e.header.written();
        out += "<tr data-category=\"" + html(category) + "\"><td class=\"cat\">" + html(shown) +
               "</td>";
        const std::vector<std::string> cells = rowCells(e, s.place);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c == 1) {
                out += "<td><a href=\"reports/" + html(reportFileName(e.call)) + "\">" + html(cells[c]) +
                       "</a></td>";
                continue;
            }
            const bool lost = c == 4 && e.checkedScore < e.uncheckedScore;
            const bool zero = c >= 6 && cells[c] == "0";
            out += std::string("<td class=\"n") + (lost ? " lost" : "") + (zero ? " zero" : "") +
                   "\">" + html(cells[c]) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
    if (const std::vector<std::string> notes = logNotes(check); !notes.empty()) {
        out += "<h2>Notes (" + std::to_string(notes.size()) + ")</h2>\n<ul>\n";
        for (const std::string &note : notes) out += "<li>" + html(note) + "</li>\n";
        out += "</ul>\n";
    }
    if (!leftOut.empty()) {
        out += "<h2>Left out (" + std::to_string(leftOut.size()) + ")</h2>\n<ul>\n";
        for (const InputProblem &p : leftOut) out += "<li>" + html(problemText(p)) + "</li>\n";
        out += "</ul>\n";
    }
    out += R"(<script>
(function () {
  var table = document.getElementById('results');
  var body = table.tBodies[0];
  var heads = table.tHead.rows[0].cells;
  var state = { column: -1, up: true };
  // Text columns give text; number columns a number, or null where there
  // is none ("-": no claimed score).
  function value(row, column) {
    var text = row.cells[column].textContent;
    if (column === 0 || column === 2) return text;
    var number = parseFloat(text);
    return isNaN(number) ? null : number;
  }
  // Rows without a value come last whichever way the column is sorted.
  function compare(x, y, up) {
    if (x === null || y === null) return x === y ? 0 : x === null ? 1 : -1;
    var order = x < y ? -1 : x > y ? 1 : 0;
    return up ? order : -order;
  }
  function sortBy(column) {
    state.up = state.column === column ? !state.up : column < 3;
    state.column = column;
    var rows = Array.prototype.slice.call(body.rows);
    rows.sort(function (a, b) {
      var order = compare(value(a, column), value(b, column), state.up);
      if (order === 0) order = a.dataset.order - b.dataset.order;
      return order;
    });
    rows.forEach(function (row) { body.appendChild(row); });
    for (var i = 0; i < heads.length; i++)
      heads[i].className = i === column ? (state.up ? 'sorted-up' : 'sorted-down') : '';
    mark();
  }
  // A rule above the first shown row of each category, while the rows are
  // in category order.
  function mark() {
    table.className = state.column <= 0 ? 'grouped' : '';
    var previous = null;
    Array.prototype.forEach.call(body.rows, function (row) {
      if (row.style.display === 'none') return;
      var category = row.dataset.category;
      row.className = previous !== null && category !== previous ? 'first' : '';
      previous = category;
    });
  }
  Array.prototype.forEach.call(body.rows, function (row, i) { row.dataset.order = i; });
  Array.prototype.forEach.call(heads, function (head, i) {
    head.addEventListener('click', function () { sortBy(i); });
  });
  document.getElementById('category').addEventListener('change', function () {
    var wanted = this.value;
    Array.prototype.forEach.call(body.rows, function (row) {
      row.style.display = !wanted || row.dataset.category === wanted ? '' : 'none';
    });
    mark();
  });
  mark();
})();
</script>
</body>
</html>
)";
    return out;
}

void writeJson(const ContestCheck &check, const std::vector<InputProblem> &problems,
               const std::function<void(const std::string &)> &sink) {
    using score::jsonString;
    const std::vector<Entrant> &entrants = check.entrants();
    const auto timeOrNull = [](const std::optional<score::QsoTime> &t) {
        return t ? "\"" + isoTime(*t) + "\"" : std::string("null");
    };
    const std::optional<std::pair<score::QsoTime, score::QsoTime>> &covered = check.covered();
    sink("{\n  \"window_minutes\": " + std::to_string(check.windowMinutes()) +
         ",\n  \"period\": {\"start\": " + timeOrNull(check.period().start) +
         ", \"end\": " + timeOrNull(check.period().end) +
         ", \"first_qso\": " + timeOrNull(covered ? std::optional(covered->first) : std::nullopt) +
         ", \"last_qso\": " + timeOrNull(covered ? std::optional(covered->second) : std::nullopt) +
         "},\n  \"logs\": [");
    for (std::size_t i = 0; i < entrants.size(); ++i) {
        const Entrant &e = entrants[i];
        std::string out = i == 0 ? "\n" : ",\n";
        out += "    {\"file\": " + jsonString(e.file) + ", \"call\": " + jsonString(e.call) +
               ", \"format\": " + jsonString(score::formatName(e.format)) + ",\n";
        out += "     \"categories\": {\"operator\": " + jsonString(e.header.categoryOperator) +
               ", \"mode\": " + jsonString(e.header.categoryMode) +
               ", \"power\": " + jsonString(e.header.categoryPower) +
               ", \"location\": " + jsonString(e.header.location) + "},\n";
        out += "     \"claimed_score\": " +
               (e.header.claimedScore ? std::to_string(*e.header.claimedScore) : "null") +
               ", \"unchecked_score\": " + std::to_string(e.uncheckedScore) +
               ", \"checked_score\": " + std::to_string(e.checkedScore) +
               ", \"report\": " + jsonString("reports/" + reportFileName(e.call)) + ",\n";
        out += "     \"counts\": {";
        for (int s = 0; s < kStatusCount; ++s)
            out += std::string(s == 0 ? "" : ", ") + "\"" + statusName(static_cast<Status>(s)) +
                   "\": " + std::to_string(e.counts[s]);
        out += "},\n     \"clock_correction_minutes\": " + std::to_string(e.clockCorrection) +
               ", \"x_qsos\": " + std::to_string(e.xQsos.size()) + ", \"own_calls\": [";
        for (std::size_t c = 0; c < e.lineCalls.size(); ++c)
            out += std::string(c == 0 ? "" : ", ") + "{\"call\": " + jsonString(e.lineCalls[c].first) +
                   ", \"lines\": " + std::to_string(e.lineCalls[c].second) + "}";
        out += "],\n     \"outside_period\": [";
        for (std::size_t q = 0; q < e.outsidePeriod.size(); ++q)
            out += std::string(q == 0 ? "" : ", ") + "{\"line\": " +
                   std::to_string(e.outsidePeriod[q].line) + ", \"time\": \"" +
                   isoTime(e.outsidePeriod[q].time) + "\"}";
        out += "],\n     \"qsos\": [";
        for (std::size_t q = 0; q < e.log.qsos.size(); ++q) {
            const score::ContestQso &qso = e.log.qsos[q];
            const QsoResult &r = e.results[q];
            out += q == 0 ? "\n" : ",\n";
            out += "      {\"line\": " + std::to_string(qso.line) + ", \"call\": " +
                   jsonString(score::upper(qso.call)) + ", \"band\": " + jsonString(qso.band) +
                   ", \"mode_class\": " + jsonString(modeClassOf(qso.mode)) + ", \"time\": \"" +
                   isoTime(qso.time) + "\", \"status\": \"" + statusName(r.status) + "\"";
            if (r.status == Status::Bad) out += ", \"reason\": " + jsonString(check.reasons()[r.reason]);
            out += ", \"other\": ";
            if (r.other.valid()) {
                const Entrant &other = entrants[r.other.log];
                out += "{\"file\": " + jsonString(other.file) +
                       ", \"line\": " + std::to_string(other.qso(r.other.qso).line) + "}";
            } else {
                out += "null";
            }
            out += "}";
            if (out.size() > 65536) {
                sink(out);
                out.clear();
            }
        }
        out += e.log.qsos.empty() ? "]}" : "\n     ]}";
        sink(out);
    }
    std::string tail = entrants.empty() ? "],\n" : "\n  ],\n";
    tail += "  \"left_out\": [";
    for (std::size_t i = 0; i < problems.size(); ++i)
        tail += std::string(i == 0 ? "\n" : ",\n") + "    {\"file\": " + jsonString(problems[i].file) +
                ", \"line\": " + (problems[i].line > 0 ? std::to_string(problems[i].line) : "null") +
                ", \"message\": " + jsonString(problems[i].message) + "}";
    tail += problems.empty() ? "]\n}\n" : "\n  ]\n}\n";
    sink(tail);
}

}  // namespace check
