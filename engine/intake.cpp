#include "engine/operations.h"

#include "engine/bad_file_tally.h"
#include "engine/bad_qso_file.h"
#include "engine/contest_rules.h"

#include <algorithm>
#include <utility>

namespace engine {
namespace {

std::string lastTwo(const std::string &text) {
    return text.size() <= 2 ? text : text.substr(text.size() - 2);
}

std::string trimBlanks(const std::string &text) {
    const std::size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return std::string();
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::string upper(std::string text) {
    for (char &c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// "012AB" becomes "012 AB"; an exchange with a blank after its first
// character is kept as typed.
std::string normaliseExchange(const std::string &received) {
    const std::size_t blank = received.find(' ');
    if (blank != std::string::npos && blank > 0) return received;
    const std::string head = received.size() <= 3 ? received : received.substr(0, 3);
    return head + " " + lastTwo(received);
}

// The problem lines of one QSO, built only when a problem is found; they
// go to out, to be appended to the bad-QSO file once the intake is done.
class ProblemLines {
public:
    ProblemLines(const QsoArgs &args, std::vector<std::string> &out) : args_(args), lines_(out) {}

    void add(const char *message) { lines_.push_back(text(message)); }

    // The line this QSO gets for message.
    std::string text(const char *message) {
        if (prefix_.empty()) {
            const std::string time = formatTime(args_.time, contract::kBadQsoTimePattern);
            prefix_ = contract::badQsoLineStart(
                {args_.frequencyHz, args_.mode, time, args_.ownCall, args_.rstSent,
                 args_.exchSent, args_.call, args_.rstReceived, args_.exchReceived});
        }
        return prefix_ + message;
    }

private:
    const QsoArgs &args_;
    std::string prefix_;
    std::vector<std::string> &lines_;
};

// The intake's checks, in their fixed order; lines receives the QSO's
// problem lines.
int checkAndStore(EngineState &state, const QsoArgs &args, std::vector<std::string> &lines) {
    ProblemLines problems(args, lines);

    if (!bandRules().contains(args.band)) {
        problems.add("   WRONG BAND !!!");
        return 0;
    }
    if (std::find(state.workedBands.begin(), state.workedBands.end(), args.band) ==
        state.workedBands.end())
        state.workedBands.push_back(args.band);
    if (!modeRules().contains(args.mode)) {
        problems.add("   WRONG MODE !!!");
        ++state.refusedOnBand[args.band];
        return 0;
    }
    if (args.exchReceived.empty() || args.exchSent.empty()) {
        problems.add("   NO RX NUMBER !!!");
        ++state.refusedOnBand[args.band];
        return 0;
    }

    QsoFields record;
    record.call = args.call;
    record.band = args.band;
    record.mode = args.mode;
    record.rstReceived = args.rstReceived;
    record.rstSent = args.rstSent;
    record.countryPrefix = args.countryPrefix;
    std::string exchSent = args.exchSent;
    exchSent += ' ';
    exchSent += state.myCode;
    record.exchSent = exchSent;
    const std::string exchReceived = normaliseExchange(args.exchReceived);
    record.exchReceived = exchReceived;
    record.freqKHz = static_cast<int32_t>(args.frequencyHz / 1000);
    record.time = args.time;

    const std::string received = lastTwo(args.exchReceived);
    std::string county;
    if (!isRomania(args.countryPrefix)) {
        record.countryCode = received;
    } else {
        county = trimBlanks(upper(received));
        if (isCounty(county)) {
            record.county = county;
        } else {
            record.excluded = true;
            record.badQso = true;
            problems.add("   NO ROMANIA COUNTY !!!");
        }
    }

    const QsoStore::Group group = state.store.groupOf(args.call, args.band, args.mode);
    const int earlier = state.store.countMatching(group);
    std::string dupeLine;
    if (earlier > 0) {
        record.excluded = true;
        record.dupe = true;
        // Kept so that a removal can take back the lines of one earlier
        // match when that QSO leaves the log.
        dupeLine = problems.text(bad_qso_file::kDupeMessage);
        record.dupeLine = dupeLine;
        for (int i = 0; i < earlier; ++i) problems.add(bad_qso_file::kDupeMessage);
    }

    state.store.Add(record, group);
    return 1;
}

}  // namespace

void appendBadLines(BadFileAppend &append) {
    // Before the first reset no log is open and there is no file to write:
    // the lines have nowhere to go, and that is no failure.
    if (append.fileName.empty() || append.lines.empty()) return;
    append.written = bad_qso_file::append(append.fileName, append.lines, bad_qso_file::kHeader,
                                          &append.stamps);
}

void finishAppend(EngineState &state, const BadFileAppend &append) {
    if (append.fileName.empty() || append.lines.empty()) return;
    tallyAfterAppend(state.badFileTally, append.written, append.stamps,
                     bad_qso_file::countProblemLines(append.lines));
    noteWrite(state, append.fileName, append.written);
}

int addQso(EngineState &state, const QsoArgs &args) {
    BadFileAppend append;
    const int result = addQso(state, args, append);
    appendBadLines(append);
    finishAppend(state, append);
    return result;
}

int addQso(EngineState &state, const QsoArgs &args, BadFileAppend &append) {
    const int result = checkAndStore(state, args, append.lines);
    // Most QSOs have no problem: their intake copies no file name.
    if (!append.lines.empty()) append.fileName = state.badQsoFileName;
    return result;
}


}  // namespace engine
