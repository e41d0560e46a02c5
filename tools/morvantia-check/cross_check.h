// The cross-check of a contest: every QSO of every log held against the
// log of the station it names.
//
// A QSO of station A with B on a band and mode class at time t is
//   confirmed        when B's log holds a QSO with A on the same band and
//                    mode class within the window; each QSO of B confirms
//                    at most one QSO of A, nearest in time first;
//   busted exchange  when confirmed, but the serial number or the code A
//                    logged is not what B sent (B's sent serial, B's code);
//   busted call      when B sent no log, but a station S that did, whose call
//                    is one character from B's (one changed, added or
//                    dropped), logged A on that band and mode class within
//                    the window in a QSO that nothing else confirms: A
//                    copied S's call wrong. S's QSO counts as confirmed,
//                    since the error is A's;
//   not in log       when B sent a log that holds no such QSO (and did not
//                    bust A's call, as above);
//   unique           when B sent no log and no other log holds B;
//   unchecked        when B sent no log but other logs hold B.
// A is the call A's QSO line gives as its own, the call sent on the air in
// that QSO: a log whose lines give another call than the log's own is
// checked under the calls its lines give. A call that is another log's own
// stays that log's: such a line counts under its log's call.
//
// A log's clock may be off. When most of a log's QSOs with stations that
// sent logs agree on one offset beyond the window, and far more of them
// than agree without one, the log's times are corrected by that offset
// before the QSOs are matched; a few QSOs that happen to agree on an offset
// are not enough.
// Dupes and QSOs against the contest rules are the plug-in's to judge; the
// cross-check sees every QSO as a contact that happened or not.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace check {

enum class Status : std::uint8_t {
    Confirmed,
    BustedExchange,
    BustedCall,
    NotInLog,
    Unique,
    Unchecked,
    Dupe,
    Bad,
};
constexpr int kStatusCount = 8;

// "confirmed", "busted_exchange", "busted_call", "nil", "unique",
// "unchecked", "dupe", "bad".
const char *statusName(Status status);

// What the cross-check needs of one logged QSO.
struct QsoFacts {
    std::string call;       // the call worked, as logged; case does not matter
    std::string band;       // "80m"; case does not matter
    std::string modeClass;  // "CW", "SSB", "DIGI", or the mode as logged
    long long minute = 0;   // minutes since any moment, the same for every log
    int serialReceived = -1;  // -1 when not logged
    int serialSent = -1;
    std::string codeReceived;  // empty when not logged
    std::string codeSent;      // this station's own code as sent in this QSO
    std::string ownCall;       // the own call the line gives; empty: the log's call
};

// Settings of the clock correction; see above.
struct ClockFix {
    bool enabled = true;
    int least = 5;  // QSOs that must agree on the offset
    long long largest = 24 * 60;  // minutes; larger offsets are not looked for
};

constexpr std::uint32_t kNoLog = 0xFFFFFFFFu;

// A QSO by its log and its place in that log.
struct QsoRef {
    std::uint32_t log = kNoLog;
    std::uint32_t qso = 0;
    bool valid() const { return log != kNoLog; }
    bool operator==(const QsoRef &o) const { return log == o.log && qso == o.qso; }
};

struct Finding {
    Status status = Status::NotInLog;
    // Confirmed and busted exchange: the other side's QSO; busted call: the
    // QSO of the station whose call was busted; not in log: the other log's
    // QSO with this station nearest in time (same band and mode class
    // first), outside the window or on another band or mode; else none.
    QsoRef other;
};

// One-to-one pairs of the times in a and b (minutes, ascending), nearest in
// time first, at most window minutes apart. Among equally near pairs the one
// earlier in a wins, then the one earlier in b; among equal times, the one
// first in its list. Gives the pairs as (index in a, index in b), sorted.
std::vector<std::pair<std::uint32_t, std::uint32_t>> pairNearestFirst(
    const std::vector<long long> &a, const std::vector<long long> &b, int window);

class CrossCheck {
public:
    explicit CrossCheck(int windowMinutes, ClockFix clockFix = {})
        : window_(windowMinutes), clockFix_(clockFix) {}

    // Adds a log sent by ownCall; returns its number. Each call may send one
    // log only: false in added when the call has one already.
    std::uint32_t addLog(const std::string &ownCall, bool &added);
    void addQso(std::uint32_t log, const QsoFacts &qso);

    void run();

    std::size_t logCount() const { return logs_.size(); }
    std::size_t qsoCount(std::uint32_t log) const { return logs_.at(log).qsos.size(); }
    const Finding &finding(std::uint32_t log, std::uint32_t qso) const {
        return logs_.at(log).findings.at(qso);
    }
    // Minutes added to the log's times before matching: 0, or the offset
    // its clock was found off by (positive: the clock was late).
    long long clockCorrection(std::uint32_t log) const { return logs_.at(log).correction; }

private:
    struct Qso {
        std::uint32_t call;
        std::uint32_t slot;  // band and mode class
        long long minute;
        int serialReceived;
        int serialSent;
        std::uint32_t codeReceived;  // 0: none
        std::uint32_t codeSent;
        std::uint32_t own;      // the call sent; after run() begins, its station
    };
    struct Log {
        std::uint32_t call;
        std::vector<Qso> qsos;
        std::vector<Finding> findings;
        long long correction = 0;
    };
    // A call a log was sent under: the log's own, or another its lines give.
    struct Station {
        std::uint32_t log;
        std::uint32_t call;
    };
    // One QSO in the index, sorted by (owner station, call, slot) packed
    // into key, then by time.
    struct Entry {
        std::uint64_t key;
        long long minute;
        std::uint32_t log;
        std::uint32_t qso;
    };
    enum class Link : std::uint8_t { None, Exact, BustedMine, BustedTheirs };

    class Texts {
    public:
        std::uint32_t id(const std::string &text);
        const std::string &text(std::uint32_t id) const { return texts_[id]; }
        std::size_t size() const { return texts_.size(); }
        // The id of a known text, or nothing.
        bool find(const std::string &text, std::uint32_t &id) const;

    private:
        std::unordered_map<std::string, std::uint32_t> ids_;
        std::vector<std::string> texts_;
    };

    static std::uint64_t keyOf(std::uint32_t owner, std::uint32_t call, std::uint32_t slot);
    std::pair<std::size_t, std::size_t> range(std::uint64_t first, std::uint64_t last) const;
    void assignStations();
    // False for a station whose call is found under another: a call two
    // logs' lines give that neither log sends as its own.
    bool reachable(std::uint32_t station) const;
    void buildIndex();
    void correctClocks();
    // visit(begin, end, owner, sample) for each run of entries_ with one key:
    // the QSOs of one station with one call in one band and mode class;
    // sample is the run's first QSO.
    template <typename Visit>
    void forEachKeyRun(Visit visit) const;
    void matchExact();
    void matchBustedCalls();
    void decide();
    bool exchangeAgrees(const Qso &mine, const Qso &theirs) const;
    QsoRef nearestOther(const Qso &qso, std::uint32_t otherStation) const;

    int window_;
    ClockFix clockFix_;
    Texts calls_{};
    Texts slots_{};
    Texts codes_{};
    std::vector<Log> logs_;
    std::vector<Station> stations_;  // the stations of each log together
    std::vector<std::uint32_t> stationOfCall_;  // by call id; kNoLog for none
    std::vector<Entry> entries_;
    std::vector<std::vector<Link>> links_;
    std::vector<std::vector<QsoRef>> partners_;
};

}  // namespace check
