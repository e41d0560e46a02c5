// The plug-in's entry points driven the way a careless or hostile host could
// drive them: calls in any order, texts null, empty, very long or 8-bit,
// date-times that are null pointers, NaN, infinite or huge with any status,
// numbers over their whole range. Every input starts from a freshly loaded
// library in an empty folder. Besides the sanitizers' findings, a returned
// text that is null or runs on without its NUL, an unwritten score, an
// answer outside what the host contract allows, or any exception thrown, is
// a crash.
#include "plugin/cabrillo_export.h"
#include "engine/engine.h"
#include "plugin/stats_api.h"
#include "fuzz/fuzz_support.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "reports/cabrillo_log.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

// Calls per input, and of those QSO calls: enough for dupes, removals and
// every band row, few enough that each input runs in milliseconds.
constexpr int kMaxCalls = 64;
constexpr int kMaxQsoCalls = 32;
// Around the 100 bytes of the host's buffers, longer than a page, longer
// than 16 bits can count: the last is rare, as it slows every call down.
const std::size_t kLongTexts[] = {99, 100, 101, 5000, 5000, 5000, 5000, 70000};
// No text the plug-in returns may be anywhere near this.
constexpr std::size_t kTextLimit = std::size_t{1} << 22;
constexpr int kScoreSentinel = 0x5EA1F00D;

const char *const kTypicalTexts[] = {
    "80m", "40m", "80M", "40M", "20m", "CW", "SSB", "BPSK31", "BPSK63", "BPSK125",
    "RTTY", "YO", "DL", "UA", "YO3AAA", "YO9ZZ", "DL1ABC", "599", "59", "001",
    "012AB", "012 AB", "12AB", "AB", "XA", "XF", "BU", "2.19", "2.20", "2.18",
};

// The texts of one call, alive until the next call.
class Texts {
public:
    explicit Texts(FuzzedDataProvider &in) : in_(in) {}

    void clear() { kept_.clear(); }

    // A text the plug-in reads.
    char *next() {
        switch (in_.ConsumeIntegralInRange<int>(0, 15)) {
        case 0: return nullptr;
        case 1: return keep(std::string());
        case 2: {
            const std::size_t length = in_.PickValueInArray(kLongTexts);
            const char fill = static_cast<char>(in_.ConsumeIntegral<uint8_t>());
            return keep(std::string(length, fill));
        }
        case 3:
        case 4:
        case 5: return keep(in_.PickValueInArray(kTypicalTexts));
        case 6: {  // 8-bit text, as a host with another code page sends it
            std::string text = in_.ConsumeRandomLengthString(16);
            for (char &c : text) c = static_cast<char>(c | 0x80);
            return keep(std::move(text));
        }
        default: return keep(in_.ConsumeRandomLengthString(40));
        }
    }

    // A text the plug-in is promised to ignore: never read, so no input
    // is spent on it.
    char *ignored() { return ignoredText_; }

private:
    char *keep(std::string text) {
        kept_.push_back(std::move(text));
        return kept_.back().data();
    }

    FuzzedDataProvider &in_;
    std::deque<std::string> kept_;  // never moves its strings
    char ignoredText_[8] = "ignored";
};

// A date-time argument: a null pointer or one of the slots, filled.
HostDateTime *dateTime(FuzzedDataProvider &in, HostDateTime &slot) {
    const double oddValues[] = {
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::denorm_min(),
        -0.0,
        -657434.0,            // 1 January 100
        2958465.9999999,      // the last second of 9999
        2958466.0,            // just past it
        -1.25,                // before the host's epoch
    };
    switch (in.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: return nullptr;
    case 1: slot.value = in.PickValueInArray(oddValues); break;
    case 2: slot.value = in.ConsumeFloatingPoint<double>(); break;
    default:  // around the contest, to the second
        slot.value = 43500.0 + in.ConsumeIntegralInRange<int>(0, 3000 * 86400) / 86400.0;
    }
    slot.status = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(0, 2)
                                   : in.ConsumeIntegral<int32_t>();
    slot.reserved = in.ConsumeIntegral<int32_t>();
    return &slot;
}

unsigned frequency(FuzzedDataProvider &in) {
    const unsigned typical[] = {0, 3500000, 3550000, 3799999, 7000000, 7050000, 14000000,
                                std::numeric_limits<unsigned>::max()};
    return in.ConsumeBool() ? in.PickValueInArray(typical) : in.ConsumeIntegral<unsigned>();
}

// With MORVANTIA_FUZZ_TRACE set, every call and its answer go to standard
// error: what a crash file did, when it is replayed.
const bool tracing = std::getenv("MORVANTIA_FUZZ_TRACE") != nullptr;

std::string shown(const char *text) {
    if (text == nullptr) return "null";
    const std::size_t n = std::strlen(text);
    return "\"" + std::string(text, std::min<std::size_t>(n, 24)) + (n > 24 ? "...\"" : "\"");
}

void checkOneOf(int value, std::initializer_list<int> allowed, const char *what) {
    if (tracing) std::fprintf(stderr, "%s -> %d\n", what, value);
    for (int a : allowed)
        if (value == a) return;
    fuzz::fail(std::string(what) + " returned " + std::to_string(value));
}

// Files the host or the operator may have left in the folder.
void writeFile(const std::string &name, const std::string &content) {
    if (std::FILE *file = platform::openFile(name, "wb")) {
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }
}

void prepareFolder(FuzzedDataProvider &in) {
    std::error_code error;
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        writeFile("Vexa2.ini", "[Vexa]\r\nVexa=" + in.ConsumeRandomLengthString(12) + "\r\n");
        break;
    case 1: writeFile("Plugins\\Morvantia.ini", in.ConsumeRandomLengthString(300)); break;
    case 2: std::filesystem::remove_all("Plugins", error); break;  // every INI write fails
    default: std::filesystem::create_directory("Plugins", error); break;
    }
}

// The arguments of AddData0 and RemoveData0 that the plug-in reads, kept so
// that a QSO added can be removed again, as the host does when the operator
// deletes or edits one.
enum QsoText { kOwnCall, kCall, kMode, kRstSent, kRstReceived, kExchSent, kExchReceived,
               kPrefix, kBand, kStoredText, kQsoTexts };
struct Qso {
    std::optional<std::string> texts[kQsoTexts];  // none: a null pointer
    std::optional<HostDateTime> time;
    unsigned hz = 0;
};

// Sends a QSO, fresh or one added before (at most kMaxAdded are kept).
constexpr std::size_t kMaxAdded = 8;

int qsoCall(FuzzedDataProvider &in, Texts &t, bool add, std::vector<Qso> &added) {
    Qso q;
    if (!add && !added.empty() && in.ConsumeBool()) {
        q = added[in.ConsumeIntegralInRange<std::size_t>(0, added.size() - 1)];
    } else {
        HostDateTime slot;
        if (const HostDateTime *time = dateTime(in, slot)) q.time = *time;
        q.hz = frequency(in);
        for (std::optional<std::string> &text : q.texts)
            if (const char *value = t.next()) text = value;
    }
    char *arg[kQsoTexts];
    for (int k = 0; k < kQsoTexts; ++k) arg[k] = q.texts[k] ? q.texts[k]->data() : nullptr;
    HostDateTime time = q.time.value_or(HostDateTime{});
    HostDateTime slots[3];
    HostDateTime *dt4 = dateTime(in, slots[0]), *dt5 = dateTime(in, slots[1]),
                 *dt6 = dateTime(in, slots[2]);
    const unsigned u7 = in.ConsumeIntegral<unsigned>();
    const int i = in.ConsumeIntegral<int>();
    const double d = in.ConsumeFloatingPoint<double>();
    if (tracing)
        std::fprintf(stderr, "call %s band %s mode %s sent %s received %s prefix %s\n",
                     shown(arg[kCall]).c_str(), shown(arg[kBand]).c_str(),
                     shown(arg[kMode]).c_str(), shown(arg[kExchSent]).c_str(),
                     shown(arg[kExchReceived]).c_str(), shown(arg[kPrefix]).c_str());
    QsoDataFn fn = add ? AddData0 : RemoveData0;
    const int answer =
        fn(arg[kOwnCall], arg[kCall], q.time ? &time : nullptr, dt4, dt5, dt6, u7, q.hz,
           arg[kMode], arg[kRstSent], arg[kRstReceived], arg[kExchSent], arg[kExchReceived],
           t.ignored(), t.ignored(), t.ignored(), t.ignored(), t.ignored(), t.ignored(),
           t.ignored(), t.ignored(), t.ignored(), arg[kPrefix], i, i, i, d, d, t.ignored(),
           arg[kStoredText], t.ignored(), arg[kBand], t.ignored());
    if (!add || answer != 1) return answer;
    // A QSO taken into the log makes its call a dupe on that band and mode
    // at once.
    char writable[2][100] = {};
    const int check = CheckCall0(arg[kCall], 0, 0, arg[kMode], t.ignored(), t.ignored(),
                                 t.ignored(), t.ignored(), t.ignored(), t.ignored(),
                                 t.ignored(), t.ignored(), t.ignored(), t.ignored(), 0, 0, 0,
                                 0.0, 0.0, t.ignored(), t.ignored(), t.ignored(), t.ignored(),
                                 nullptr, arg[kBand], arg[kBand], writable[0], writable[1]);
    if (check != 0)
        fuzz::fail("CheckCall0 answers " + std::to_string(check) +
                   " for the QSO just added, not 0 (dupe)");
    if (added.size() == kMaxAdded) added.erase(added.begin());
    added.push_back(std::move(q));
    return answer;
}

void resetCall(FuzzedDataProvider &in, Texts &t) {
    HostDateTime start, end;
    char *folder = t.next();
    const int reportRequest = in.ConsumeBool() ? in.ConsumeIntegral<int>() : 0;
    char *ownCall = t.next();
    HostDateTime *startArg = dateTime(in, start);
    HostDateTime *endArg = dateTime(in, end);
    char *t14 = t.next(), *ownPrefix = t.next();
    const int i = in.ConsumeIntegral<int>();
    const double d = in.ConsumeFloatingPoint<double>();
    checkOneOf(ResetStats0(folder, reportRequest, ownCall, startArg, endArg, t.ignored(),
                           t.ignored(), t.ignored(), t.ignored(), t.ignored(), t.ignored(),
                           t.ignored(), t.ignored(), t14, ownPrefix, i, i, i, d, d,
                           t.ignored(), t.ignored(), t.ignored()),
               {1}, "ResetStats0");
}

void checkCallCall(FuzzedDataProvider &in, Texts &t) {
    char writable[2][100] = {};
    char *call = t.next(), *mode = t.next(), *county = t.next(), *band = t.next(),
         *secondBand = t.next();
    const unsigned u = in.ConsumeIntegral<unsigned>();
    const int i = in.ConsumeIntegral<int>();
    const double d = in.ConsumeFloatingPoint<double>();
    checkOneOf(CheckCall0(call, u, u, mode, t.ignored(), t.ignored(), t.ignored(),
                          t.ignored(), t.ignored(), t.ignored(), t.ignored(), t.ignored(),
                          t.ignored(), t.ignored(), i, i, i, d, d, t.ignored(), t.ignored(),
                          t.ignored(), t.ignored(), county, band, secondBand, writable[0],
                          writable[1]),
               {0, 1, 2, 4}, "CheckCall0");
}

void resultCall(FuzzedDataProvider &in) {
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) {
        fuzz::checkText(GetResult0(nullptr), kTextLimit, "GetResult0 without a score");
        return;
    }
    int score = kScoreSentinel;
    const char *text = GetResult0(&score);
    fuzz::checkText(text, kTextLimit, "GetResult0");
    // -1 says a Cabrillo log was written; a bounded log scores far below
    // where a score could wrap.
    if (tracing) std::fprintf(stderr, "GetResult0 -> score %d\n%.2000s\n", score, text);
    fuzz::check(score != kScoreSentinel, "GetResult0 left the score unwritten");
    fuzz::check(score >= -1, "GetResult0 returned a negative score");
    // Scoring changes nothing it reads: asked again, it answers the same.
    const std::string first = text;
    int again = kScoreSentinel;
    const char *second = GetResult0(&again);
    fuzz::checkText(second, kTextLimit, "GetResult0 asked again");
    fuzz::check(again == score && first == second, "GetResult0 asked again answers otherwise");
}

// A fresh library: the state as loaded, and a Cabrillo log of its own as
// the library's load sets one up.
void freshLibrary() {
    static std::unique_ptr<reports::CabrilloLog> log;
    static reports::ConfirmingEditor stationDetails;
    static std::unique_ptr<plugin::CabrilloLogExport> cabrillo;
    engine::Engine &engine = engine::Engine::instance();
    engine.setCabrilloExport(nullptr);
    cabrillo.reset();
    log = std::make_unique<reports::CabrilloLog>();
    cabrillo = std::make_unique<plugin::CabrilloLogExport>(*log, stationDetails);
    engine.setCabrilloExport(cabrillo.get());
    engine.withState([](engine::EngineState &state) { state = engine::EngineState(); });
}

}  // namespace

// The entry points stop every exception, so the host would only see a
// default answer: any exception on the way there is a fault, reported where
// it is thrown. Nothing the plug-in calls throws in normal work.
extern "C" [[noreturn]] void __cxa_throw(void *, std::type_info *type, void (*)(void *)) {
    fuzz::fail(std::string("exception thrown: ") + type->name());
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    fuzz::WorkFolder::create();
    fuzz::anchorArtifactPaths(argc, argv);
    // Messages would go to standard error on every export.
    platform::setMessageSink([](const std::string &, const std::string &,
                                platform::MessageIcon) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    fuzz::WorkFolder::Session session;
    freshLibrary();
    Texts t(in);
    int qsoCalls = 0;
    std::vector<Qso> added;
    for (int calls = 0; calls < kMaxCalls && in.remaining_bytes() > 0; ++calls) {
        t.clear();
        switch (in.ConsumeIntegralInRange<int>(0, 11)) {
        case 0: resetCall(in, t); break;
        case 1:
        case 2:
        case 3:
            if (++qsoCalls > kMaxQsoCalls) break;
            checkOneOf(qsoCall(in, t, true, added), {0, 1}, "AddData0");
            break;
        case 4:
            if (++qsoCalls > kMaxQsoCalls) break;
            checkOneOf(qsoCall(in, t, false, added), {1}, "RemoveData0");
            break;
        case 5: checkCallCall(in, t); break;
        case 6: {
            char *field = t.next();
            const int fieldIndex = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-1, 2)
                                                    : in.ConsumeIntegral<int>();
            const int i = in.ConsumeIntegral<int>();
            checkOneOf(IsValidExchg0(field, t.ignored(), t.ignored(), t.ignored(), i, i,
                                     fieldIndex),
                       {0, 1}, "IsValidExchg0");
            break;
        }
        case 7: resultCall(in); break;
        case 8: checkOneOf(static_cast<int>(setVersion(t.next())), {0}, "setVersion"); break;
        case 9:
            checkOneOf(GetNumberOfSets(), {1}, "GetNumberOfSets");
            fuzz::checkText(GetSetName(in.ConsumeIntegral<int>()), 256, "GetSetName");
            checkOneOf(GetExchgCount0(t.ignored(), t.ignored(), t.ignored()), {2},
                       "GetExchgCount0");
            break;
        case 10: SetupSet0(); break;
        default: prepareFolder(in); break;
        }
    }
    return 0;
}
