#include "tools/common/summary_figures.h"

#include "tools/common/text.h"

#include <cstdio>

namespace tools {
namespace {

std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

std::vector<std::string> splitTabs(const std::string &line) {
    std::vector<std::string> cells;
    std::size_t pos = 0;
    while (true) {
        const std::size_t tab = line.find('\t', pos);
        cells.push_back(line.substr(pos, tab == std::string::npos ? std::string::npos : tab - pos));
        if (tab == std::string::npos) break;
        pos = tab + 1;
    }
    return cells;
}

bool readInt(const std::string &text, int &value) {
    std::string t = trim(text);
    bool negative = false;
    if (!t.empty() && t[0] == '-') {
        negative = true;
        t.erase(0, 1);
    }
    if (!allDigits(t) || t.size() > 10) return false;
    const long long v = std::stoll(t);
    value = static_cast<int>(negative ? -v : v);
    return true;
}

bool readRow(const std::string &line, RowFigures &row) {
    const std::vector<std::string> cells = splitTabs(line);
    if (cells.size() != 8) return false;
    row.band = cells[0];
    int *targets[] = {&row.qsos, &row.points, &row.counties, &row.countries,
                      &row.digi, &row.cw,     &row.ssb};
    for (int i = 0; i < 7; ++i)
        if (!readInt(cells[i + 1], *targets[i])) return false;
    return true;
}

bool readLabelled(const std::string &line, const std::string &label, int &value) {
    const std::vector<std::string> cells = splitTabs(line);
    return cells.size() == 2 && cells[0] == label && readInt(cells[1], value);
}

}  // namespace

std::optional<SummaryFigures> readPlainSummary(const std::string &summary) {
    const std::vector<std::string> lines = splitLines(summary);
    if (lines.size() < 7) return std::nullopt;
    SummaryFigures figures;
    const std::string titleLead = "\tMORVANTIA CONTEST ";
    if (lines[0].compare(0, titleLead.size(), titleLead) != 0) return std::nullopt;
    figures.contestDate = trim(lines[0].substr(titleLead.size()));
    const std::string contestantLead = "\t\tContestant: ";
    if (lines[1].compare(0, contestantLead.size(), contestantLead) != 0) return std::nullopt;
    figures.contestant = lines[1].substr(contestantLead.size());

    std::size_t i = 3;
    for (; i < lines.size(); ++i) {
        RowFigures row;
        if (!readRow(lines[i], row)) return std::nullopt;
        if (row.band == "Total") {
            figures.total = row;
            break;
        }
        figures.bands.push_back(row);
    }
    if (i + 3 >= lines.size()) return std::nullopt;
    if (!readLabelled(lines[i + 1], "Dupe", figures.dupes)) return std::nullopt;
    if (!readLabelled(lines[i + 2], "Bad QSO", figures.badQsos)) return std::nullopt;
    // "Score:\t points*(countries+counties)=score"
    const std::vector<std::string> cells = splitTabs(lines[i + 3]);
    if (cells.size() != 2 || cells[0] != "Score:") return std::nullopt;
    const std::size_t equals = cells[1].rfind('=');
    if (equals == std::string::npos || !readInt(cells[1].substr(equals + 1), figures.score))
        return std::nullopt;
    return figures;
}

std::optional<long long> fullScore(const std::string &summary) {
    if (const std::optional<SummaryFigures> f = readPlainSummary(summary))
        return (static_cast<long long>(f->total.countries) + f->total.counties) * f->total.points;
    // The HTML page's last row: "<th>Score:</th><td colspan=9><center>points *
    // (counties + countries) = score</center>".
    const std::string lead = "<th>Score:</th><td colspan=9><center>";
    const std::size_t at = summary.rfind(lead);
    if (at == std::string::npos) return std::nullopt;
    long long points = 0, counties = 0, countries = 0;
    if (std::sscanf(summary.c_str() + at + lead.size(), "%lld * (%lld + %lld) =", &points,
                    &counties, &countries) != 3)
        return std::nullopt;
    return (countries + counties) * points;
}

}  // namespace tools
