// morvantia-check run as a program against the plug-in built beside it.
//
// The contest in tests/check/contest was made and checked by hand: five
// logs (four Cabrillo, one ADIF), two stations that sent none (YO6NL worked
// twice, OK1ZZ once), and one fault of each kind:
//   YO2MVT  HA5XY's serial copied as 008 for 001          busted exchange
//           YO8RZ copied as YO8RX                          busted call
//           YO3KPA worked again at 17:30, not in its log   dupe
//           a QSO with DL1ABC on 20 m (also in DL1ABC's)  bad (WRONG BAND)
//   DL1ABC  YO3KPA's county copied as BV for BU           busted exchange
//           HA5XY copied as HA5XZ                          busted call
//           YO8RZ logged 3 minutes later by YO8RZ         confirmed
//   YO3KPA  a QSO with HA5XY on 40 m that HA5XY left out   not in log
//           YO8RZ's county copied as XX                   bad (NO ROMANIA COUNTY)
//   HA5XY   OK1ZZ, in no other log                         unique
//           YO8RZ, 5 minutes apart in the two logs         not in log (both)
// The other side of each busted call is confirmed. Scores by the rules (2
// points a QSO, 4 with a bonus county; counties and countries once per band
// and mode class), as sent and without the removed QSOs:
//   YO2MVT 12 x 5 = 60 and 6 x 3 = 18     YO3KPA 8 x 4 = 32 and 6 x 3 = 18
//   DL1ABC 12 x 5 = 60 and 8 x 3 = 24     HA5XY 12 x 5 = 60 and 8 x 4 = 32
//   YO8RZ   8 x 4 = 32 and 6 x 3 = 18
// DL1ABC claims 65 in its header. The expected files hold exactly this; the
// Windows build, run under Wine, must give the same bytes.
#include "platform/dynamic_library.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/process.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

using testing_support::readFile;
using testing_support::writeFile;

const std::string kContest = MORVANTIA_CHECK_CONTEST_DIR;
const std::string kExpected = MORVANTIA_CHECK_EXPECTED_DIR;
const std::vector<std::string> kLogs = {"dl1abc.cbr", "ha5xy.cbr", "yo2mvt.cbr", "yo3kpa.cbr",
                                        "yo8rz.adi"};
const std::vector<std::string> kCalls = {"DL1ABC", "HA5XY", "YO2MVT", "YO3KPA", "YO8RZ"};

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string inQuotes(const std::string &text) { return "\"" + text + "\""; }

ToolRun runCheck(const std::string &arguments) {
    static int runs = 0;
    const std::string out = "run-" + std::to_string(++runs) + "-out.txt";
    const std::string err = "run-" + std::to_string(runs) + "-err.txt";
    const std::string command = inQuotes(platform::executableFolder() + MORVANTIA_CHECK_NAME) +
                                " " + arguments + " > " + out + " 2> " + err;
    ToolRun run;
    run.status = platform::runCommand(command);
    run.out = readFile(out);
    run.err = readFile(err);
    return run;
}

std::string expected(const std::string &name) {
    const std::string content = readFile(kExpected + "/" + name);
    EXPECT_FALSE(content.empty()) << "missing expected file " << name;
    return content;
}

// The contest's logs copied into folder, named on the command line by
// relative paths, so that the output is the same wherever it runs.
std::string copyContest(const std::string &folder) {
    std::string error;
    EXPECT_TRUE(platform::makeFolders(folder, error)) << error;
    std::string names;
    for (const std::string &log : kLogs) {
        writeFile(folder + "/" + log, readFile(kContest + "/" + log));
        names += " " + folder + "/" + log;
    }
    return names;
}

class CheckEndToEnd : public ::testing::Test {
protected:
    testing_support::WorkDir dir_;
};

TEST_F(CheckEndToEnd, HandCheckedContestGivesTheExpectedFiles) {
    const ToolRun run = runCheck("--json --out out" + copyContest("contest"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected("check.json"));
    for (const char *name : {"results.txt", "results.csv", "results.html"})
        EXPECT_EQ(readFile(std::string("out/") + name), expected(name)) << name;
    for (const std::string &call : kCalls)
        EXPECT_EQ(readFile("out/reports/" + call + ".txt"), expected("reports/" + call + ".txt"))
            << call;
}

TEST_F(CheckEndToEnd, AnEarlierRunsReportsGoButNothingElse) {
    copyContest("contest");
    ASSERT_EQ(runCheck("--quiet --out out contest").status, 0);
    writeFile("out/reports/notes.txt", "The committee's own notes.\n");
    ASSERT_EQ(runCheck("--quiet --out out contest/yo2mvt.cbr contest/ha5xy.cbr").status, 0);
    EXPECT_TRUE(platform::fileStamp("out/reports/YO2MVT.txt"));
    EXPECT_TRUE(platform::fileStamp("out/reports/HA5XY.txt"));
    EXPECT_FALSE(platform::fileStamp("out/reports/YO3KPA.txt"));
    EXPECT_EQ(readFile("out/reports/notes.txt"), "The committee's own notes.\n");
}

TEST_F(CheckEndToEnd, AFolderStandsForItsLogsAndTheTableGoesToStandardOutput) {
    copyContest("contest");
    const ToolRun run = runCheck("--quiet --out out contest");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected("results.txt"));
    EXPECT_EQ(run.err, "");
}

TEST_F(CheckEndToEnd, LogsThatCannotBeUsedAreNamedAndTheRestIsChecked) {
    copyContest("contest");
    writeFile("contest/notes.txt", "Our club's notes on the contest.\n");
    writeFile("contest/yo2mvt-again.cbr", readFile(kContest + "/yo2mvt.cbr"));
    // Line 4 has a date that does not exist.
    writeFile("contest/yo9abc.cbr",
              "START-OF-LOG: 3.0\nCALLSIGN: YO9ABC\n"
              "QSO:  3510 CW 2024-02-03 1600 YO9ABC 599 001 PH YO2MVT 599 009 TM\n"
              "QSO:  3510 CW 2024-02-30 1601 YO9ABC 599 002 PH YO3KPA 599 009 BU\n"
              "END-OF-LOG:\n");
    std::string error;
    ASSERT_TRUE(platform::makeFolders("contest/older", error)) << error;
    // Paths the program joins itself use the system's separator.
#ifdef _WIN32
    const std::string sep = "\\";
#else
    const std::string sep = "/";
#endif
    std::vector<std::string> leftOut = {
        "missing.cbr: no such file or folder",
        "contest" + sep + "older: a folder: the logs in it are not read (name it to check them)",
        "notes.txt: not an ADIF, ADX or Cabrillo log; left out",
        "yo2mvt.cbr: YO2MVT sent a log already (contest",
        "yo9abc.cbr:4: \"2024-02-30\" is not a date (YYYY-MM-DD); left out",
    };
#ifndef _WIN32
    ASSERT_EQ(symlink("gone.cbr", "contest/link.cbr"), 0);
    leftOut.push_back("contest/link.cbr: a link to nothing; left out");
#endif
    // The same file again, by another name, is read once.
    const ToolRun run = runCheck("--out out contest missing.cbr ./contest/ha5xy.cbr");
    EXPECT_EQ(run.status, 1) << run.err;
    for (const std::string &message : leftOut) {
        EXPECT_NE(run.err.find(message), std::string::npos) << message << "\n" << run.err;
        // Every log left out is named in the results, not only on the terminal.
        EXPECT_NE(readFile("out/results.txt").find(message), std::string::npos) << message;
        EXPECT_NE(readFile("out/results.html").find(message.substr(message.size() - 20)), std::string::npos)
            << message;
    }
    for (const std::string &message :
         {"./contest/ha5xy.cbr: the same file as contest" + sep + "ha5xy.cbr; read once",
          std::string("6 logs checked")})
        EXPECT_NE(run.err.find(message), std::string::npos) << message << "\n" << run.err;
    EXPECT_EQ(run.err.find("HA5XY sent a log already"), std::string::npos) << run.err;
    // YO9ABC's other QSO is checked: not in YO2MVT's log.
    EXPECT_NE(readFile("out/reports/YO9ABC.txt").find("NOT IN LOG !!!"), std::string::npos);
}

TEST_F(CheckEndToEnd, NothingToCheckOrNothingToCheckWithIsUnusable) {
    writeFile("notes.txt", "no log\n");
    struct Case {
        std::string arguments;
        const char *message;
    } cases[] = {
        {"notes.txt", "no log could be checked"},
        {"nothing-here", "no log could be checked"},
        {"--window 2000 " + copyContest("contest"), "--window \"2000\""},
        {"--plugin no-such-plugin" + copyContest("contest"), "cannot load the plug-in"},
        {"--out notes.txt" + copyContest("contest"), "notes.txt is a file, not a folder"},
        {"--out unloaded --plugin no-such-plugin" + copyContest("contest"), "cannot load the plug-in"},
    };
    for (const Case &c : cases) {
        const ToolRun run = runCheck(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
    }
    // A run that checked nothing leaves no results folder behind.
    EXPECT_FALSE(platform::isFolder("unloaded"));
    EXPECT_FALSE(platform::isFolder("check-results"));
}

TEST_F(CheckEndToEnd, HelpNamesTheStatuses) {
    const ToolRun run = runCheck("--help");
    EXPECT_EQ(run.status, 0);
    for (const char *text : {"Usage: morvantia-check", "busted exchange", "busted call",
                             "not in log", "unique", "unchecked", "--window"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

}  // namespace
