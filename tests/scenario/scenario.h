// Scenario tests: sequences of host calls with their exact expected results,
// file bytes and summaries. The same table runs against the native library
// and, under Wine, against the DLL, through whichever names the runner picks.
#pragma once

#include "host/plugin_host.h"

#include <functional>
#include <string>
#include <vector>

namespace scenario {

// One step: a host call plus the checks on what it returned or left on disk.
// Steps use gtest assertions; the runner has made a fresh working folder
// current and loaded a fresh copy of the plug-in.
using Step = std::function<void(host::PluginHost &)>;

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

const std::vector<Scenario> &allScenarios();

// Seeded random sessions checked against a rescore of what remains.
Scenario runningSummaryEqualsRescore();

}  // namespace scenario
