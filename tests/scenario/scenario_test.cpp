// Runs the scenario table against the plug-in built beside this program,
// loaded fresh for every scenario, through each kind of export name the
// platform's library has.
#include "tests/scenario/scenario.h"

#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

struct Case {
    const Scenario *scenario;
    host::NameKind names;
};

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const Scenario &s : allScenarios()) {
        cases.push_back({&s, host::NameKind::Plain});
#ifdef _WIN32
        cases.push_back({&s, host::NameKind::Decorated});
#endif
    }
    return cases;
}

class ScenarioTest : public ::testing::TestWithParam<Case> {};

TEST_P(ScenarioTest, Runs) {
    testing_support::WorkDir dir;
    platform::DynamicLibrary library(platform::executableFolder() +
                                     platform::pluginFileName());
    ASSERT_TRUE(library.isLoaded()) << library.error();
    const host::EntryPoints entryPoints = host::resolveEntryPoints(library, GetParam().names);
    ASSERT_TRUE(entryPoints.complete());
    host::PluginHost plugin(entryPoints);
    for (const Step &step : GetParam().scenario->steps) {
        step(plugin);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ScenarioTest, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return info.param.scenario->name +
                                    (info.param.names == host::NameKind::Plain
                                         ? "_Plain"
                                         : "_Decorated");
                         });

}  // namespace
}  // namespace scenario
