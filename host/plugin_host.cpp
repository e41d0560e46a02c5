#include "host/plugin_host.h"

#include "platform/datetime.h"

#include <array>
#include <vector>

namespace host {

const EntryPointName kEntryPoints[11] = {
    {"setVersion", "?setVersion@@YAIPAD@Z", "?setVersion@@YAIPEAD@Z"},
    {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ", "?GetNumberOfSets@@YAHXZ"},
    {"GetSetName", "?GetSetName@@YAPADH@Z", "?GetSetName@@YAPEADH@Z"},
    {"SetupSet0", "?SetupSet0@@YAXXZ", "?SetupSet0@@YAXXZ"},
    {"ResetStats0", "?ResetStats0@@YAHPADH0PAVCOleDateTime@@10000000000HHHNN000@Z",
     "?ResetStats0@@YAHPEADH0PEAVCOleDateTime@@10000000000HHHNN000@Z"},
    {"AddData0", "?AddData0@@YAHPAD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z",
     "?AddData0@@YAHPEAD0PEAVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"RemoveData0",
     "?RemoveData0@@YAHPAD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z",
     "?RemoveData0@@YAHPEAD0PEAVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"GetResult0", "?GetResult0@@YAPADPAH@Z", "?GetResult0@@YAPEADPEAH@Z"},
    {"CheckCall0", "?CheckCallFunc0@@YAHPADII00000000000HHHNN000000000@Z",
     "?CheckCallFunc0@@YAHPEADII00000000000HHHNN000000000@Z"},
    {"GetExchgCount0", "?StatsGetExchgCount0@@YAHPAD00@Z",
     "?StatsGetExchgCount0@@YAHPEAD00@Z"},
    {"IsValidExchg0", "?StatsIsValidExchg0@@YAHPAD000HHH@Z",
     "?StatsIsValidExchg0@@YAHPEAD000HHH@Z"},
};

bool EntryPoints::complete() const {
    return setVersion && getNumberOfSets && getSetName && setupSet0 && resetStats0 &&
           addData0 && removeData0 && getResult0 && checkCall0 && getExchgCount0 &&
           isValidExchg0;
}

EntryPoints resolveEntryPoints(const platform::DynamicLibrary &library, NameKind kind) {
    void *found[11];
    for (int i = 0; i < 11; ++i) {
        const char *name = kEntryPoints[i].plain;
        if (kind == NameKind::Decorated)
            name = sizeof(void *) == 4 ? kEntryPoints[i].decorated32
                                       : kEntryPoints[i].decorated64;
        found[i] = library.symbol(name);
    }
    EntryPoints ep;
    ep.setVersion = reinterpret_cast<SetVersionFn>(found[0]);
    ep.getNumberOfSets = reinterpret_cast<GetNumberOfSetsFn>(found[1]);
    ep.getSetName = reinterpret_cast<GetSetNameFn>(found[2]);
    ep.setupSet0 = reinterpret_cast<SetupSet0Fn>(found[3]);
    ep.resetStats0 = reinterpret_cast<ResetStats0Fn>(found[4]);
    ep.addData0 = reinterpret_cast<AddData0Fn>(found[5]);
    ep.removeData0 = reinterpret_cast<RemoveData0Fn>(found[6]);
    ep.getResult0 = reinterpret_cast<GetResult0Fn>(found[7]);
    ep.checkCall0 = reinterpret_cast<CheckCall0Fn>(found[8]);
    ep.getExchgCount0 = reinterpret_cast<GetExchgCount0Fn>(found[9]);
    ep.isValidExchg0 = reinterpret_cast<IsValidExchg0Fn>(found[10]);
    return ep;
}

HostDateTime makeDateTime(int year, int month, int day, int hour, int minute,
                          int second) {
    HostDateTime dt{};
    dt.value = platform::civilToOleDate(year, month, day, hour, minute, second);
    dt.status = HOST_DATETIME_VALID;
    return dt;
}

HostDateTime nullDateTime() {
    HostDateTime dt{};
    dt.status = HOST_DATETIME_NULL;
    return dt;
}

namespace {

// Writable copies of texts: the contract passes char *. Fixed slots keep
// every pointer valid for the whole call without an allocation per text.
class Texts {
public:
    char *operator()(const std::string &text) {
        std::string &slot = storage_.at(used_++);
        slot = text;
        return &slot[0];
    }

private:
    std::array<std::string, 16> storage_;
    std::size_t used_ = 0;
};

}  // namespace

unsigned PluginHost::setVersion(const std::string &version) {
    Texts t;
    return ep_.setVersion(t(version));
}

int PluginHost::numberOfSets() { return ep_.getNumberOfSets(); }

std::string PluginHost::setName(int index) {
    const char *name = ep_.getSetName(index);
    return name != nullptr ? name : std::string();
}

void PluginHost::setupSet0() { ep_.setupSet0(); }

int PluginHost::reset(const std::string &hostFolder, int reportRequest,
                      const std::string &ownCall, const HostDateTime &start,
                      const HostDateTime &end, const std::string &ownPrefix) {
    Texts t;
    HostDateTime s = start;
    HostDateTime e = end;
    char *x = t("");
    return ep_.resetStats0(t(hostFolder), reportRequest, t(ownCall), &s, &e, x, x, x,
                           x, x, x, x, x, t("stored"), t(ownPrefix), 0, 0, 0, 0.0,
                           0.0, x, x, x);
}

int PluginHost::qsoCall(QsoDataFn fn, const Qso &qso) {
    Texts t;
    HostDateTime time = qso.time;
    HostDateTime other = nullDateTime();
    char *x = t("");
    return fn(t(qso.ownCall), t(qso.call), &time, &other, &other, &other, 0,
              qso.frequencyHz, t(qso.mode), t(qso.rstSent), t(qso.rstReceived),
              t(qso.exchSent), t(qso.exchReceived), x, x, x, x, x, x, x, x, x,
              t(qso.countryPrefix), 0, 0, 0, 0.0, 0.0, x, t("stored"), x,
              t(qso.band), x);
}

int PluginHost::add(const Qso &qso) { return qsoCall(ep_.addData0, qso); }
int PluginHost::remove(const Qso &qso) { return qsoCall(ep_.removeData0, qso); }

std::string PluginHost::result(int &score) {
    const char *text = ep_.getResult0(&score);
    return text != nullptr ? text : std::string();
}

int PluginHost::checkCall(const std::string &call, const std::string &mode,
                          const std::optional<std::string> &band,
                          const std::optional<std::string> &secondBand,
                          const std::string &county) {
    Texts t;
    char *x = t("");
    char writable1[64] = "";
    char writable2[64] = "";
    return ep_.checkCall0(t(call), 0, 0, t(mode), x, x, x, x, x, x, x, x, x, x, 0, 0,
                          0, 0.0, 0.0, x, x, x, x, t(county),
                          band ? t(*band) : nullptr,
                          secondBand ? t(*secondBand) : nullptr, writable1,
                          writable2);
}

int PluginHost::exchangeCount() {
    Texts t;
    return ep_.getExchgCount0(t(""), t(""), t(""));
}

int PluginHost::isValidExchange(const std::string &field, int index) {
    Texts t;
    char *x = t("");
    return ep_.isValidExchg0(t(field), x, x, x, 0, 0, index);
}

}  // namespace host
