// The summary returned with the score: tab-separated text or an HTML page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace reports {

// The counts of one row of the table: a band's, or the total of them all.
struct RowFigures {
    int32_t qsos = 0;
    int32_t points = 0;
    int32_t counties = 0;
    int32_t countries = 0;
    int32_t digi = 0;
    int32_t cw = 0;
    int32_t ssb = 0;
    int32_t dupes = 0;
};

// Adds part's counts to sum's.
void addCounts(RowFigures &sum, const RowFigures &part);

// The figures of one band row.
struct BandFigures : RowFigures {
    int32_t twoPointQsos = 0;
    int32_t fourPointQsos = 0;
};

// The figures summed over all band rows, with what is shown below them.
struct ResultFigures : RowFigures {
    int32_t badShown = 0;
    int32_t score = 0;
};

// The HTML form's fixed texts, for readers that want to recognise them.
extern const char *const htmlHead;
extern const char *const htmlFooter;

// Appends to out, in the plain form or the HTML form. Every text inserted
// into the HTML form is escaped, so host texts cannot break the page.
void appendSummaryHead(std::string &out, bool html, const std::string &contestDate,
                       const std::string &contestant);
void appendBandRow(std::string &out, bool html, const std::string &band,
                   const BandFigures &figures);
// Below the score, one line for each file that could not be written, led by
// contract::kUnwrittenFileLead.
void appendSummaryEnd(std::string &out, bool html, const ResultFigures &totals,
                      const std::vector<std::string> &unwrittenFiles = {});

// Escapes &, <, > and " for HTML text.
std::string escapeHtml(const std::string &text);

}  // namespace reports
