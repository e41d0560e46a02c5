// The Cabrillo export through the entry points, where no dialog asks the
// operator: the station details come from the INI file as they stand.
#include "host/plugin_host.h"
#include "platform/profile.h"
#include "tests/support/cabrillo_check.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(Export, ResetWithTheFlagThenScoreWritesTheLog) {
    testing_support::WorkDir dir;
    platform::writeProfileString("Settings", "Name", "Ion Pop", "Plugins\\Morvantia.ini");
    platform::writeProfileString("Settings", "My_Country", "BU", "Plugins\\Morvantia.ini");
    platform::DynamicLibrary library(platform::executableFolder() + platform::pluginFileName());
    ASSERT_TRUE(library.isLoaded()) << library.error();
    host::PluginHost plugin(host::resolveEntryPoints(library, host::NameKind::Plain));

    ASSERT_EQ(plugin.reset("./", 1, "YO3AAA/P", host::makeDateTime(2017, 2, 5, 12, 0),
                           host::makeDateTime(2017, 2, 5, 20, 0), "YO"),
              1);
    host::Qso q;
    q.ownCall = "YO3AAA/P";
    q.call = "YO9ZZ";
    q.band = "80m";
    q.mode = "CW";
    q.frequencyHz = 3512000;
    q.exchSent = "001";
    q.exchReceived = "002AB";
    q.countryPrefix = "YO";
    q.time = host::makeDateTime(2017, 2, 5, 14, 5);
    ASSERT_EQ(plugin.add(q), 1);
    q.time = host::makeDateTime(2017, 2, 5, 14, 6);
    ASSERT_EQ(plugin.add(q), 1);  // a dupe still goes into the log

    int score = 0;
    testing::internal::CaptureStderr();
    const std::string summary = plugin.result(score);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(score, -1);
    EXPECT_NE(summary.find("Score:\t 2*(0+1)=2\r\n"), std::string::npos) << summary;
    EXPECT_EQ(told, "Output: File produced: YO3AAA_P.cbr\n");

    const std::string log = testing_support::readFile("YO3AAA_P.cbr");
    EXPECT_EQ(log.rfind("START-OF-LOG: 3.0\r\nLOCATION: DX\r\nCALLSIGN: YO3AAA/P\r\n", 0), 0u);
    EXPECT_NE(log.find("\r\nCLAIMED-SCORE: 2\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\nNAME: Ion Pop\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\nCREATED-BY: Vexa Vexa\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\nQSO:  3512 CW 2017-02-05 1405 YO3AAA/P      599 001 BU YO9ZZ"
                       "         599 002 AB\r\nQSO:  3512 CW 2017-02-05 1406 "),
              std::string::npos)
        << log;
    EXPECT_EQ(log.substr(log.size() - 13), "END-OF-LOG:\r\n");
    EXPECT_EQ(testing_support::cabrilloProblems(log), std::vector<std::string>{});

    // The flag stays until the next reset: the next score writes the log
    // again, still with each QSO once.
    testing::internal::CaptureStderr();
    plugin.result(score);
    testing::internal::GetCapturedStderr();
    const std::string again = testing_support::readFile("YO3AAA_P.cbr");
    EXPECT_EQ(again, log);
}

TEST(Export, AHostTextWithALineBreakNeverBecomesAnIniKey) {
    testing_support::WorkDir dir;
    platform::writeProfileString("Settings", "My_Country", "BU", "Plugins\\Morvantia.ini");
    platform::DynamicLibrary library(platform::executableFolder() + platform::pluginFileName());
    ASSERT_TRUE(library.isLoaded()) << library.error();
    host::PluginHost plugin(host::resolveEntryPoints(library, host::NameKind::Plain));
    for (const char *call : {"YO3XYZ\r\nMy_Country=ZZ", "YO3XYZ\nMy_Country=ZZ"}) {
        plugin.reset("./", 1, call, host::makeDateTime(2017, 2, 5, 12, 0),
                     host::makeDateTime(2017, 2, 5, 20, 0), "YO");
        const std::string ini = testing_support::readFile("Plugins/Morvantia.ini");
        EXPECT_EQ(ini.find("ZZ"), std::string::npos) << ini;
        EXPECT_EQ(platform::readProfileString("Settings", "My_Country", "", "Plugins\\Morvantia.ini"),
                  "BU");
    }
}

}  // namespace
