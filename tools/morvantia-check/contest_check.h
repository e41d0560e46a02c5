// The whole check of a contest: logs read, each scored by the plug-in as
// sent, every QSO cross-checked, each log scored again without the QSOs the
// cross-check removed, and one status per QSO.
#pragma once

#include "tools/morvantia-check/cross_check.h"
#include "tools/morvantia-check/log_header.h"
#include "tools/morvantia-check/plugin_scorer.h"
#include "tools/common/contest_log.h"
#include "tools/common/country_prefix.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace check {

// True for the statuses that take a QSO out of the checked log: not in log,
// busted call, busted exchange.
bool removesQso(Status status);

// The status shown for a QSO, from what the cross-check found and what the
// plug-in made of it in the log as sent and, when it stayed in, in the
// checked log:
//   - a QSO the plug-in refuses or rules bad is bad, whatever else holds;
//   - a QSO the cross-check removes keeps that status, unless it was a dupe
//     in the log as sent: a repeat that never counted stays a dupe;
//   - a QSO left in the checked log is a dupe when the plug-in rules it one
//     there, since an earlier QSO with that station still counts;
//   - anything else is what the cross-check found.
// So a repeat whose first QSO was removed counts in its place.
Status shownStatus(Status crossStatus, Verdict asSent, std::optional<Verdict> inCheckedLog);

struct QsoResult {
    Status status = Status::Confirmed;
    QsoRef other;                // see Finding; none for dupes and bad QSOs
    std::uint16_t reason = 0;    // bad QSOs: index into ContestCheck::reasons()
};

struct Entrant {
    std::string file;  // as given
    std::string call;
    tools::LogFormat format = tools::LogFormat::Unknown;
    LogHeader header;
    tools::ContestLog log;
    ScoreRequest request;
    int uncheckedScore = 0;  // the plug-in's score of the log as sent
    int checkedScore = 0;
    std::vector<QsoResult> results;  // one per QSO of log.qsos
    // QSOs outside the contest period, in log order: not in log.qsos, not
    // scored, and evidence for nobody.
    std::vector<tools::ContestQso> outsidePeriod;
    // X-QSO lines inside the period: not scored, but evidence for the other
    // station. In references, X-QSO k is QSO log.qsos.size() + k.
    std::vector<tools::ContestQso> xQsos;
    // The own calls the QSO lines (and X-QSO lines) give, with how many
    // lines give each, most first; empty when every line gives call.
    std::vector<std::pair<std::string, std::size_t>> lineCalls;
    // Minutes added to the log's times for the check: its clock was late
    // by that many (early when negative); 0 when not corrected.
    long long clockCorrection = 0;
    std::array<int, kStatusCount> counts{};

    // A QSO or an X-QSO by its number in references.
    const tools::ContestQso &qso(std::uint32_t index) const {
        return index < log.qsos.size() ? log.qsos[index] : xQsos.at(index - log.qsos.size());
    }
    // The own call of a line as the file gives it; call when it gives none.
    const std::string &ownCallOf(const tools::ContestQso &q) const {
        return q.ownCall.empty() ? call : q.ownCall;
    }
};

// "the QSO lines give DK7MW (28 lines) and DK7MX (1 line); CALLSIGN is
// DK7MX; each QSO is checked under the call its line gives", or empty when
// the lines agree with the log's call.
std::string ownCallNote(const Entrant &entrant);
// "clock 12 minutes late (its times 12 minutes behind the other logs);
// checked with 12 minutes added to its times", or empty when the times
// were not corrected.
std::string clockNote(const Entrant &entrant);

// A log read and parsed but not yet checked: all that can be made of one
// file alone, on any thread.
struct ParsedLog {
    std::string file;  // as given
    tools::ContestLog log;
    LogHeader header;
};
ParsedLog parseLog(const std::string &file, const std::string &text,
                   const tools::CountryResolver &countries);

// A log, or a record of one, that was left out.
struct InputProblem {
    std::string file;
    int line = 0;  // 0: the file as a whole
    std::string message;
};

// The contest period; an end or start not given leaves that side open.
struct Period {
    std::optional<tools::QsoTime> start;
    std::optional<tools::QsoTime> end;
    bool given() const { return start || end; }
    bool holds(const tools::QsoTime &time) const {
        return !(start && time < *start) && !(end && *end < time);
    }
};

class ContestCheck {
public:
    ContestCheck(int windowMinutes, LogScorer &scorer, const tools::CountryResolver &countries,
                 bool fixClocks = true);

    // QSOs outside the period are kept apart from every log added after.
    void setPeriod(const Period &period) { period_ = period; }
    const Period &period() const { return period_; }
    // The first and last QSO time of the logs checked, inside the period;
    // none before a log was added.
    const std::optional<std::pair<tools::QsoTime, tools::QsoTime>> &covered() const {
        return covered_;
    }

    // Reads one log and scores it as sent. Records that cannot be read are
    // added to problems and left out; a log that cannot be used at all (no
    // log format, no own call, no QSO, a call that sent a log already) is
    // left out with a problem and false. Fails, with error, only when the
    // plug-in fails.
    bool addLog(const std::string &file, const std::string &text,
                std::vector<InputProblem> &problems, bool &added, std::string &error);
    bool addLog(ParsedLog parsed, std::vector<InputProblem> &problems, bool &added,
                std::string &error);

    // Cross-checks all logs added and scores each again without its removed
    // QSOs. progress(done, total) after each log.
    bool finish(std::string &error,
                const std::function<void(std::size_t, std::size_t)> &progress = {});

    int windowMinutes() const { return window_; }
    const std::vector<Entrant> &entrants() const { return entrants_; }
    const std::vector<std::string> &reasons() const { return reasons_; }

private:
    std::uint16_t reasonId(const std::string &reason);

    int window_;
    Period period_;
    std::optional<std::pair<tools::QsoTime, tools::QsoTime>> covered_;
    LogScorer &scorer_;
    const tools::CountryResolver &countries_;
    CrossCheck cross_;
    std::vector<Entrant> entrants_;
    std::unordered_map<std::string, std::size_t> entrantOfCall_;
    std::vector<std::vector<PluginVerdict>> asSent_;  // kept until finish
    std::vector<std::string> reasons_{""};
};

// The longest own call a log may give. Real calls, with a prefix and a
// suffix, stay well under it; a longer one is no call sign, and it would
// make a report file name some systems refuse.
constexpr std::size_t kMaxCallLength = 20;

// Minutes since 1 January 1900 of a QSO time; seconds are dropped.
long long minutesOf(const tools::QsoTime &time);

}  // namespace check
