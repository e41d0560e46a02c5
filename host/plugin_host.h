// A host of the plug-in: loads the library, resolves its entry points by
// name and calls them with the full argument lists, as the logging program
// does. Used by the tests, the sample replay and morvantia-score.
#pragma once

#include "contract/host_types.h"
#include "platform/dynamic_library.h"

#include <optional>
#include <string>
#include <vector>

namespace host {

// The plain export names, in the order of the host contract, and their
// decorated aliases in the Windows DLL (empty natively).
struct EntryPointName {
    const char *plain;
    const char *decorated32;
    const char *decorated64;
};
extern const EntryPointName kEntryPoints[11];

struct EntryPoints {
    SetVersionFn setVersion = nullptr;
    GetNumberOfSetsFn getNumberOfSets = nullptr;
    GetSetNameFn getSetName = nullptr;
    SetupSet0Fn setupSet0 = nullptr;
    ResetStats0Fn resetStats0 = nullptr;
    AddData0Fn addData0 = nullptr;
    RemoveData0Fn removeData0 = nullptr;
    GetResult0Fn getResult0 = nullptr;
    CheckCall0Fn checkCall0 = nullptr;
    GetExchgCount0Fn getExchgCount0 = nullptr;
    IsValidExchg0Fn isValidExchg0 = nullptr;

    bool complete() const;
};

enum class NameKind { Plain, Decorated };

// Resolves every entry point by one kind of name; missing ones stay null.
EntryPoints resolveEntryPoints(const platform::DynamicLibrary &library, NameKind kind);

// A date-time for the host's calls.
HostDateTime makeDateTime(int year, int month, int day, int hour, int minute,
                          int second = 0);
HostDateTime nullDateTime();

// One QSO as the host hands it over.
struct Qso {
    std::string ownCall;
    std::string call;
    HostDateTime time{};
    unsigned int frequencyHz = 0;
    std::string mode;
    std::string rstSent = "599";
    std::string rstReceived = "599";
    std::string exchSent;
    std::string exchReceived;
    std::string countryPrefix;
    std::string band;
};

// Calls the entry points with the full argument lists; the arguments the
// plug-in ignores get harmless values.
class PluginHost {
public:
    explicit PluginHost(EntryPoints entryPoints) : ep_(entryPoints) {}

    const EntryPoints &entryPoints() const { return ep_; }

    unsigned setVersion(const std::string &version);
    int numberOfSets();
    std::string setName(int index);
    void setupSet0();
    int reset(const std::string &hostFolder, int reportRequest,
              const std::string &ownCall, const HostDateTime &start,
              const HostDateTime &end, const std::string &ownPrefix);
    int add(const Qso &qso);
    int remove(const Qso &qso);
    // The summary text; score receives the result through the pointer.
    std::string result(int &score);
    int checkCall(const std::string &call, const std::string &mode,
                  const std::optional<std::string> &band,
                  const std::optional<std::string> &secondBand,
                  const std::string &county = std::string());
    int exchangeCount();
    int isValidExchange(const std::string &field, int index);

private:
    int qsoCall(QsoDataFn fn, const Qso &qso);
    EntryPoints ep_;
};

}  // namespace host
