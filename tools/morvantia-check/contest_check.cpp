#include "tools/morvantia-check/contest_check.h"

#include "tools/common/mode_class.h"
#include "tools/common/option_values.h"
#include "tools/common/text.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace check {

bool removesQso(Status status) {
    return status == Status::NotInLog || status == Status::BustedCall ||
           status == Status::BustedExchange;
}

Status shownStatus(Status crossStatus, Verdict asSent, std::optional<Verdict> inCheckedLog) {
    if (asSent == Verdict::Bad) return Status::Bad;
    if (removesQso(crossStatus)) return asSent == Verdict::Dupe ? Status::Dupe : crossStatus;
    if (inCheckedLog == Verdict::Dupe) return Status::Dupe;
    if (inCheckedLog == Verdict::Bad) return Status::Bad;
    return crossStatus;
}

long long minutesOf(const tools::QsoTime &t) {
    // Days from the civil date (proleptic Gregorian), shifted to 1900.
    const int y = t.month <= 2 ? t.year - 1 : t.year;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int monthIndex = (t.month + 9) % 12;
    const int dayOfYear = (153 * monthIndex + 2) / 5 + t.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long long days = static_cast<long long>(era) * 146097 + dayOfEra - 693901;
    return (days * 24 + t.hour) * 60 + t.minute;
}

namespace {

// Scores the QSOs in time order, whatever their order in the log, so that
// of two QSOs with one station the later one is the repeat: a log with two
// lines swapped is judged as the same log in order. The verdicts come back
// in the order given.
bool scoreInTimeOrder(LogScorer &scorer, const ScoreRequest &request,
                      const std::vector<const tools::ContestQso *> &qsos, ScoredLog &scored,
                      std::string &error) {
    std::vector<std::size_t> order(qsos.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&qsos](std::size_t a, std::size_t b) {
        return qsos[a]->time < qsos[b]->time;
    });
    std::vector<const tools::ContestQso *> sorted(qsos.size());
    for (std::size_t i = 0; i < order.size(); ++i) sorted[i] = qsos[order[i]];
    ScoredLog inOrder;
    if (!scorer.score(request, sorted, inOrder, error)) return false;
    scored.score = inOrder.score;
    scored.beyondPlugin = inOrder.beyondPlugin;
    scored.verdicts.assign(qsos.size(), PluginVerdict{});
    for (std::size_t i = 0; i < order.size(); ++i)
        scored.verdicts[order[i]] = std::move(inOrder.verdicts[i]);
    return true;
}

// Leading digits of a text as a number; -1 for none.
int serialOf(const std::string &text) {
    const std::string digits = tools::leadingDigits(text);
    if (digits.empty()) return -1;
    // Long runs of digits are not serial numbers; keep them comparable.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    if (digits.size() - first > 9) return 999999999;
    return std::stoi(digits.substr(first));
}

// Letters, digits and "/", with at least one letter and one digit: "599"
// or "TM" in the call's place is an exchange, not a call.
bool looksLikeCall(const std::string &call) {
    bool letter = false, digit = false;
    for (char c : call) {
        if (tools::isAsciiLetter(c)) letter = true;
        else if (tools::isAsciiDigit(c)) digit = true;
        else if (c != '/') return false;
    }
    return letter && digit;
}

}  // namespace

ContestCheck::ContestCheck(int windowMinutes, LogScorer &scorer,
                           const tools::CountryResolver &countries, bool fixClocks)
    : window_(windowMinutes),
      scorer_(scorer),
      countries_(countries),
      cross_(windowMinutes, ClockFix{fixClocks}) {}

namespace {

// The own call a line gives, as the cross-check takes it: a line without
// one, or with one that is no call sign (a column slipped), stands for the
// log's call.
std::string lineCall(const tools::ContestQso &q, const std::string &logCall) {
    const std::string call = tools::upper(tools::trim(q.ownCall));
    if (call.empty() || call.size() > kMaxCallLength || !looksLikeCall(call)) return logCall;
    return call;
}

std::vector<std::pair<std::string, std::size_t>> countLineCalls(const Entrant &e) {
    std::unordered_map<std::string, std::size_t> byCall;
    std::vector<std::pair<std::string, std::size_t>> counts;  // in the order first given
    bool other = false;
    for (const auto *list : {&e.log.qsos, &e.xQsos})
        for (const tools::ContestQso &q : *list) {
            const std::string call = lineCall(q, e.call);
            other = other || call != e.call;
            const auto [found, fresh] = byCall.emplace(call, counts.size());
            if (fresh) counts.emplace_back(call, 0);
            ++counts[found->second].second;
        }
    if (!other) return {};
    std::stable_sort(counts.begin(), counts.end(),
                     [](const auto &a, const auto &b) { return a.second > b.second; });
    return counts;
}

std::string minutesText(long long minutes) {
    return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
}

}  // namespace

std::string ownCallNote(const Entrant &e) {
    if (e.lineCalls.empty()) return {};
    const bool adif = e.format != tools::LogFormat::Cabrillo;
    std::string out = adif ? "STATION_CALLSIGN gives " : "the QSO lines give ";
    const std::size_t shown = std::min<std::size_t>(e.lineCalls.size(), 5);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto &[call, count] = e.lineCalls[i];
        out += (i == 0 ? "" : i + 1 == e.lineCalls.size() ? " and " : ", ") + call + " (" +
               std::to_string(count) + (count == 1 ? " line)" : " lines)");
    }
    if (e.lineCalls.size() > shown)
        out += " and " + std::to_string(e.lineCalls.size() - shown) + " more calls";
    out += adif ? "; the log is entered as " + e.call + ", the first"
                : "; CALLSIGN is " + e.call;
    return out + "; each QSO is checked under the call its line gives";
}

std::string clockNote(const Entrant &e) {
    if (e.clockCorrection == 0) return {};
    const bool late = e.clockCorrection > 0;
    const std::string by = minutesText(late ? e.clockCorrection : -e.clockCorrection);
    return "clock " + by + (late ? " late (its times " : " early (its times ") + by +
           (late ? " behind the other logs); checked with " + by + " added to its times"
                 : " ahead of the other logs); checked with " + by + " taken off its times");
}

std::uint16_t ContestCheck::reasonId(const std::string &reason) {
    for (std::size_t i = 0; i < reasons_.size(); ++i)
        if (reasons_[i] == reason) return static_cast<std::uint16_t>(i);
    if (reasons_.size() >= 0xFFFF) return 0;
    reasons_.push_back(reason);
    return static_cast<std::uint16_t>(reasons_.size() - 1);
}

ParsedLog parseLog(const std::string &file, const std::string &text,
                   const tools::CountryResolver &countries) {
    ParsedLog parsed;
    parsed.file = file;
    parsed.log = tools::readLog(text, countries);
    parsed.header = readLogHeader(text);
    return parsed;
}

bool ContestCheck::addLog(const std::string &file, const std::string &text,
                          std::vector<InputProblem> &problems, bool &added, std::string &error) {
    return addLog(parseLog(file, text, countries_), problems, added, error);
}

bool ContestCheck::addLog(ParsedLog parsed, std::vector<InputProblem> &problems, bool &added,
                          std::string &error) {
    added = false;
    const std::string &file = parsed.file;
    Entrant entrant;
    entrant.file = parsed.file;
    entrant.log = std::move(parsed.log);
    entrant.header = std::move(parsed.header);
    entrant.format = entrant.log.format;
    if (entrant.format == tools::LogFormat::Unknown) {
        problems.push_back({file, 0, "not an ADIF, ADX or Cabrillo log; left out"});
        return true;
    }
    for (const tools::ReadProblem &p : entrant.log.problems)
        problems.push_back({file, p.line, p.message + "; left out"});
    entrant.call = tools::upper(tools::trim(entrant.log.ownCall));
    if (entrant.call.empty()) {
        problems.push_back({file, 0,
                            "no own call sign (CALLSIGN:, or STATION_CALLSIGN in ADIF); the log "
                            "is left out"});
        return true;
    }
    if (entrant.call.size() > kMaxCallLength) {
        problems.push_back({file, 0, "own call sign \"" + entrant.call.substr(0, kMaxCallLength) +
                                         "...\" has " + std::to_string(entrant.call.size()) +
                                         " characters, more than a call sign can have (" +
                                         std::to_string(kMaxCallLength) +
                                         "); the log is left out"});
        return true;
    }
    if (!looksLikeCall(entrant.call)) {
        problems.push_back({file, 0, "own call sign \"" + entrant.call +
                                         "\" is not a call sign; the log is left out"});
        return true;
    }
    if (entrant.log.qsos.empty()) {
        problems.push_back({file, 0, "no QSO could be read; the log is left out"});
        return true;
    }
    entrant.xQsos = std::move(entrant.log.xQsos);
    entrant.log.xQsos.clear();
    if (period_.given()) {
        std::vector<tools::ContestQso> inside;
        inside.reserve(entrant.log.qsos.size());
        for (tools::ContestQso &q : entrant.log.qsos)
            (period_.holds(q.time) ? inside : entrant.outsidePeriod).push_back(std::move(q));
        entrant.log.qsos = std::move(inside);
        entrant.xQsos.erase(std::remove_if(entrant.xQsos.begin(), entrant.xQsos.end(),
                                           [this](const tools::ContestQso &q) {
                                               return !period_.holds(q.time);
                                           }),
                            entrant.xQsos.end());
        if (entrant.log.qsos.empty()) {
            problems.push_back({file, 0, "no QSO lies within the contest period; the log is left out"});
            return true;
        }
    }
    if (const auto earlier = entrantOfCall_.find(entrant.call); earlier != entrantOfCall_.end()) {
        problems.push_back({file, 0, entrant.call + " sent a log already (" +
                                         entrants_[earlier->second].file + "); this one is left out"});
        return true;
    }
    for (const std::string &part : entrant.header.unknownParts())
        problems.push_back({file, 0, part + " is not a category of the contest; the log is "
                                            "ranked under (unknown category)"});
    entrant.log.station.clear();

    ScoreRequest &request = entrant.request;
    request.ownCall = entrant.call;
    request.ownPrefix = countries_.prefixFor(entrant.call);
    if (!entrant.log.ownCode.empty() && tools::isSafeIniValue(entrant.log.ownCode))
        request.ownCode = entrant.log.ownCode;
    const auto byTime = [](const tools::ContestQso &a, const tools::ContestQso &b) {
        return a.time < b.time;
    };
    const tools::QsoTime first =
        std::min_element(entrant.log.qsos.begin(), entrant.log.qsos.end(), byTime)->time;
    const tools::QsoTime last =
        std::max_element(entrant.log.qsos.begin(), entrant.log.qsos.end(), byTime)->time;
    // The plug-in is told the contest's period when there is one, as
    // morvantia-score tells it.
    request.start = period_.start.value_or(first);
    request.end = period_.end.value_or(last);

    std::vector<const tools::ContestQso *> all;
    all.reserve(entrant.log.qsos.size());
    for (const tools::ContestQso &q : entrant.log.qsos) all.push_back(&q);
    ScoredLog scored;
    if (!scoreInTimeOrder(scorer_, request, all, scored, error)) {
        error = file + ": " + error;
        return false;
    }
    if (scored.beyondPlugin) {
        // A wrapped score would rank the log anywhere; the log cannot be
        // scored by the plug-in at all.
        problems.push_back({file, 0, "its score, " + std::to_string(*scored.beyondPlugin) +
                                         ", is more than the plug-in can hold (2147483647); the "
                                         "log is left out"});
        return true;
    }
    entrant.uncheckedScore = scored.score;
    bool fresh = false;
    const std::uint32_t index = cross_.addLog(entrant.call, fresh);
    entrantOfCall_.emplace(entrant.call, entrants_.size());

    entrant.lineCalls = countLineCalls(entrant);
    const std::string ownCode = entrant.log.ownCode;
    // X-QSOs follow the QSOs: evidence for the other side only.
    for (const auto *list : {&entrant.log.qsos, &entrant.xQsos}) {
        for (const tools::ContestQso &q : *list) {
            QsoFacts facts;
            if (!entrant.lineCalls.empty()) facts.ownCall = lineCall(q, entrant.call);
            facts.call = q.call;
            facts.band = q.band;
            facts.modeClass = tools::modeClassOf(q.mode);
            facts.minute = minutesOf(q.time);
            facts.serialSent = serialOf(q.sentNumber);
            facts.codeSent = q.sentCode.empty() ? ownCode : q.sentCode;
            facts.serialReceived = serialOf(q.receivedExchange);
            facts.codeReceived = tools::lettersOf(q.receivedExchange);
            cross_.addQso(index, facts);
        }
    }
    if (!covered_) covered_.emplace(first, last);
    covered_->first = std::min(covered_->first, first);
    covered_->second = std::max(covered_->second, last);
    entrants_.push_back(std::move(entrant));
    asSent_.push_back(std::move(scored.verdicts));
    added = true;
    return true;
}

bool ContestCheck::finish(std::string &error,
                          const std::function<void(std::size_t, std::size_t)> &progress) {
    cross_.run();
    for (std::uint32_t l = 0; l < entrants_.size(); ++l) {
        Entrant &entrant = entrants_[l];
        entrant.clockCorrection = cross_.clockCorrection(l);
        const std::vector<PluginVerdict> &asSent = asSent_[l];
        const std::size_t count = entrant.log.qsos.size();
        std::vector<const tools::ContestQso *> kept;
        std::vector<std::size_t> keptIndex;
        for (std::uint32_t q = 0; q < count; ++q)
            if (!removesQso(cross_.finding(l, q).status)) {
                kept.push_back(&entrant.log.qsos[q]);
                keptIndex.push_back(q);
            }
        ScoredLog checked;
        if (kept.size() == count) {
            // Nothing removed: the checked log is the log as sent.
            checked.score = entrant.uncheckedScore;
            checked.verdicts = asSent;
        } else if (!scoreInTimeOrder(scorer_, entrant.request, kept, checked, error)) {
            error = entrant.file + ": " + error;
            return false;
        }
        entrant.checkedScore = checked.score;

        std::vector<std::optional<Verdict>> inChecked(count);
        std::vector<std::size_t> checkedAt(count, 0);
        for (std::size_t k = 0; k < keptIndex.size(); ++k) {
            inChecked[keptIndex[k]] = checked.verdicts[k].verdict;
            checkedAt[keptIndex[k]] = k;
        }
        entrant.results.assign(count, QsoResult{});
        entrant.counts.fill(0);
        for (std::uint32_t q = 0; q < count; ++q) {
            const Finding &finding = cross_.finding(l, q);
            QsoResult &result = entrant.results[q];
            result.status = shownStatus(finding.status, asSent[q].verdict, inChecked[q]);
            if (result.status == Status::Bad) {
                result.reason = reasonId(asSent[q].verdict == Verdict::Bad
                                             ? asSent[q].reason
                                             : checked.verdicts[checkedAt[q]].reason);
            } else if (result.status != Status::Dupe) {
                result.other = finding.other;
            }
            ++entrant.counts[static_cast<int>(result.status)];
        }
        if (progress) progress(l + 1, entrants_.size());
    }
    asSent_.clear();
    return true;
}

}  // namespace check
