// morvantia-score run as a program against the plug-in built beside it, on
// the bundled example logs and on small broken ones.
//
// The example's figures were checked by hand once, without the plug-in:
// examples/make_examples.py counts its own QSO list with the contest rules
// (it prints the figures when it runs), and a second, separate count read
// the written ADIF file itself (band, mode, DXCC, code from the letters of
// SRX_STRING or else STATE; left out: bands other than 80/40 m, RTTY, no
// exchange, a call worked again on the same band and mode, a Romanian code
// not among the 48 counties). Both agree:
//   - refused by the plug-in, never stored: the 20 m QSO, the RTTY QSO and
//     the QSO without a received exchange (3 of 297);
//   - stored but not scoring: 4 dupes and 2 Romanian stations sending QQ
//     and CN, which are no counties;
//   - 80m: 142 scoring QSOs (CW 64, SSB 48, DIGI 30), 13 of them with a
//     bonus county (XA..XF): 142 x 2 + 13 x 2 = 310 points; 79 counties and
//     28 country codes, each counted once per mode class;
//   - 40m: 146 QSOs (CW 62, SSB 54, DIGI 30), 18 bonus: 328 points;
//     82 counties, 30 country codes;
//   - score 638 points x (161 counties + 58 countries) = 139722;
//   - bad-QSO file: header + 4 DUPE + 2 NO ROMANIA COUNTY + WRONG BAND +
//     WRONG MODE + NO RX NUMBER = 10 lines, shown as bad: 10 - 4 - 1 = 5.
#include "platform/dynamic_library.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::readFile;
using testing_support::writeFile;

const std::string kExamples = MORVANTIA_EXAMPLES_DIR;
const std::string kAdifExample = kExamples + "/yo2mvt-morvantia.adi";
const std::string kCabrilloExample = kExamples + "/yo2mvt-morvantia.cbr";

// What the plug-in gives for the ADIF example, kept as files and compared
// byte for byte: the Windows build, run under Wine, must give the same bytes
// as the native one.
const std::string kExpected = MORVANTIA_EXPECTED_DIR;

std::string expected(const std::string &name) {
    const std::string content = readFile(kExpected + "/" + name);
    EXPECT_FALSE(content.empty()) << "missing expected file " << name;
    return content;
}

const char *const kBadQsoName = "BadQSO_StatsMorvantia_03_02_2024.txt";

// The Windows plug-in asks for the station details in a modal dialog and
// tells where the log went in a message box: an export cannot run unattended
// there.
constexpr bool kExportIsInteractive = MORVANTIA_EXPORT_IS_INTERACTIVE != 0;
const char *const kInteractiveExport =
    "the plug-in's Cabrillo export waits for its station-details dialog here";

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string inQuotes(const std::string &text) { return "\"" + text + "\""; }

std::string toolPath() { return platform::executableFolder() + MORVANTIA_SCORE_NAME; }

// Runs the tool in the current folder with arguments already quoted where
// needed; input, when given, is a file fed to standard input.
ToolRun runTool(const std::string &arguments, const std::string &input = std::string()) {
    // Fresh output files for every run: under Wine a service started by the
    // plug-in's first window inherits the run's output files and keeps them
    // open after the run.
    static int runs = 0;
    const std::string out = "run-" + std::to_string(++runs) + "-out.txt";
    const std::string err = "run-" + std::to_string(runs) + "-err.txt";
    std::string command = inQuotes(toolPath()) + " " + arguments;
    if (!input.empty()) command += " < " + inQuotes(input);
    command += " > " + out + " 2> " + err;
    ToolRun run;
    run.status = platform::runCommand(command);
    run.out = readFile(out);
    run.err = readFile(err);
    return run;
}

std::string inFolder(const std::string &folder, const std::string &name) {
    return platform::joinPath(platform::absolutePath(folder), name);
}

std::string scoreLine(const std::string &summary) {
    const std::size_t at = summary.find("Score:");
    return at == std::string::npos ? std::string() : summary.substr(at);
}

class EndToEnd : public ::testing::Test {
protected:
    testing_support::WorkDir dir_;
};

TEST_F(EndToEnd, AdifExampleGivesTheKnownSummaryAndBadQsoFile) {
    const ToolRun run = runTool("--out result " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected("yo2mvt-morvantia.summary.txt"));
    EXPECT_NE(run.out.find("Score:\t 638*(58+161)=139722\r\n"), std::string::npos);
    const std::string badQsos = readFile(inFolder("result", kBadQsoName));
    EXPECT_EQ(badQsos, expected("yo2mvt-morvantia.badqso.txt"));
    auto count = [&badQsos](const std::string &text) {
        int n = 0;
        for (std::size_t at = badQsos.find(text); at != std::string::npos;
             at = badQsos.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("\r\n"), 10);
    EXPECT_EQ(count("   DUPE !!!"), 4);
    EXPECT_EQ(count("   NO ROMANIA COUNTY !!!"), 2);
    EXPECT_EQ(count("   WRONG BAND !!!"), 1);
    EXPECT_EQ(count("   WRONG MODE !!!"), 1);
    EXPECT_EQ(count("   NO RX NUMBER !!!"), 1);
    EXPECT_NE(run.err.find("bad-QSO file: " + inFolder("result", kBadQsoName)),
              std::string::npos)
        << run.err;
}

TEST_F(EndToEnd, CabrilloExampleScoresLikeTheAdifExample) {
    const ToolRun run = runTool("--out result " + inQuotes(kCabrilloExample));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected("yo2mvt-morvantia.summary.txt"));
    // Same QSOs, same faults; only the PSK speed is lost in Cabrillo.
    EXPECT_EQ(readFile(inFolder("result", kBadQsoName)), expected("yo2mvt-morvantia.badqso.txt"));
}

TEST_F(EndToEnd, JsonGivesThePluginsFigures) {
    const ToolRun run = runTool("--json --out result " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char *text :
         {"\"format\": \"ADIF\"", "\"records_read\": 297", "\"records_skipped\": 0",
          "\"qsos_stored\": 294", "\"qsos_refused\": 3", "\"dupes\": 4", "\"bad_qsos\": 5",
          "\"score\": 139722",
          "{\"band\": \"80m\", \"qsos\": 142, \"points\": 310, \"counties\": 79, "
          "\"countries\": 28, \"digi\": 30, \"cw\": 64, \"ssb\": 48}",
          "\"total\": {\"qsos\": 288, \"points\": 638, \"counties\": 161, \"countries\": 58"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
    EXPECT_NE(run.out.find("\"cabrillo_file\": null"), std::string::npos);
}

TEST_F(EndToEnd, HtmlAsksThePluginForItsPage) {
    const ToolRun run = runTool("--html --out result " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected("yo2mvt-morvantia.html"));
    EXPECT_NE(run.out.find("638 * (161 + 58) = 139722"), std::string::npos);
}

TEST_F(EndToEnd, StandardInputAndTheDefaultFolders) {
    const ToolRun fromInput = runTool("-", kAdifExample);
    EXPECT_EQ(fromInput.status, 0) << fromInput.err;
    EXPECT_EQ(fromInput.out, expected("yo2mvt-morvantia.summary.txt"));
    EXPECT_TRUE(testing_support::fileExists(inFolder("stdin-score", kBadQsoName)));

    const ToolRun first = runTool(inQuotes(kAdifExample));
    const ToolRun second = runTool(inQuotes(kAdifExample));
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(second.status, 0);
    EXPECT_TRUE(testing_support::fileExists(inFolder("yo2mvt-morvantia-score", kBadQsoName)));
    EXPECT_NE(second.err.find(inFolder("yo2mvt-morvantia-score-2", kBadQsoName)),
              std::string::npos)
        << second.err;
}

TEST_F(EndToEnd, OwnCodeReachesThePluginThroughItsIniFile) {
    const std::string ini = "result/Plugins/Morvantia.ini";
    EXPECT_EQ(runTool("--out result " + inQuotes(kAdifExample)).status, 0);
    EXPECT_EQ(platform::readProfileString("Settings", "My_Country", "", ini), "TM");
    EXPECT_EQ(runTool("--code BU --out result " + inQuotes(kAdifExample)).status, 0);
    EXPECT_EQ(platform::readProfileString("Settings", "My_Country", "", ini), "BU");
    // The run keeps the plug-in's companion windows shut.
    EXPECT_EQ(platform::readProfileString("Settings", "Start", "", ini), "0");
    EXPECT_EQ(platform::readProfileString("Settings", "Claimed", "", ini), "139722");
}

TEST_F(EndToEnd, RelativePathsAreTakenWhereTheUserStands) {
    writeFile("log.adi", readFile(kAdifExample));
    std::string error;
    ASSERT_TRUE(platform::makeFolders("plug", error)) << error;
    writeFile("plug/copy-" + std::string(platform::pluginFileName()),
              readFile(platform::executableFolder() + platform::pluginFileName()));
    const ToolRun run = runTool("--plugin plug/copy-" + std::string(platform::pluginFileName()) +
                            " --out deep/er/result log.adi");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected("yo2mvt-morvantia.summary.txt"));
    EXPECT_TRUE(testing_support::fileExists("deep/er/result/" + std::string(kBadQsoName)));
}

TEST_F(EndToEnd, BrokenRecordsAreReportedLeftOutAndCounted) {
    writeFile("broken.adi",
              "<CALL:6>YO5ABC <QSO_DATE:8>20240203 <TIME_ON:4>1605 <BAND:3>80M <MODE:2>CW "
              "<STX:1>1 <SRX_STRING:6>012 XA <STATION_CALLSIGN:6>YO2MVT <STX_STRING:6>001 TM "
              "<EOR>\n"
              "<CALL:6>YO5ABD <QSO_DATE:8>20240231 <TIME_ON:4>1606 <BAND:3>80M <MODE:2>CW "
              "<EOR>\n"
              "<CALL:6>DL1ABC <QSO_DATE:8>20240203 <TIME_ON:4>1607 <BAND:3>80M <MODE:2>CW "
              "<STX:1>2 <SRX_STRING:6>015 DE <EOR>\n"
              "<CALL:6>DL1ABD <QSO_DATE:8>20240203 <TIME_ON:40>1608 <EOR>\n");
    const ToolRun run = runTool("--out result broken.adi");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("broken.adi:2: record 2: QSO_DATE \"20240231\""), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("broken.adi:4: record 4: field TIME_ON: length 40 runs past"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("2 of 4 records left out"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("Score:\t 6*(1+1)=12"), std::string::npos) << run.out;
}

TEST_F(EndToEnd, UnusableInputOrOptionsStopBeforeScoring) {
    ToolRun run = runTool("--out result missing.adi");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot read missing.adi"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    writeFile("notes.txt", "nothing to score here\n");
    run = runTool("--out result notes.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("notes.txt: not an ADIF, ADX or Cabrillo log"), std::string::npos);

    writeFile("empty.adi", "just a header\n<ADIF_VER:5>3.1.4 <EOH>\n");
    run = runTool("--out result empty.adi");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no QSO could be read"), std::string::npos) << run.err;

    run = runTool("--end 2024-02-02 --out result " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no QSO lies within the contest period"), std::string::npos) << run.err;

    run = runTool("--bogus " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown option --bogus"), std::string::npos);

    writeFile("not-a-plugin.so", "plain text");
    run = runTool("--plugin not-a-plugin.so --out result " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("cannot load the plug-in"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    // The own call names the plug-in's Cabrillo file: a log cannot smuggle a
    // path into it.
    writeFile("evil.cbr", "START-OF-LOG: 3.0\nCALLSIGN: ..\\..\\YO2MVT\n"
                          "QSO: 3512 CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB\n");
    run = runTool("--cabrillo --out result evil.cbr");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("is not a call sign"), std::string::npos) << run.err;

    // Exporting into the folder of the Cabrillo log being scored could
    // replace the log itself.
    const std::string original = readFile(kCabrilloExample);
    writeFile("YO2MVT.cbr", original);
    run = runTool("--cabrillo --out . YO2MVT.cbr");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("would write over the log"), std::string::npos) << run.err;
    EXPECT_EQ(readFile("YO2MVT.cbr"), original);

    writeFile("a-file", "x");
    run = runTool("--out a-file " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("working folder"), std::string::npos) << run.err;
}

TEST_F(EndToEnd, StationDetailsFromTheLogNeverBreakTheIniFile) {
    if (kExportIsInteractive) GTEST_SKIP() << kInteractiveExport;
    writeFile("log.adi",
              "<CALL:6>YO5ABC <QSO_DATE:8>20240203 <TIME_ON:4>1605 <BAND:3>80M <MODE:2>CW "
              "<STX:1>1 <SRX_STRING:6>012 XA <STATION_CALLSIGN:6>YO2MVT <STX_STRING:6>001 TM "
              "<MY_NAME:17>Ana\r\n[Other]\r\nX=1 <MY_CITY:4>Arad <EOR>\n");
    const ToolRun run = runTool("--cabrillo --out result log.adi");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string ini = readFile("result/Plugins/Morvantia.ini");
    EXPECT_EQ(ini.find("[Other]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Address_City=Arad"), std::string::npos) << ini;
}

TEST_F(EndToEnd, QuietLeavesOnlyErrorsOnStandardError) {
    const ToolRun run = runTool("--quiet --out result " + inQuotes(kAdifExample));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, expected("yo2mvt-morvantia.summary.txt"));
}

TEST_F(EndToEnd, HelpAndVersion) {
    ToolRun run = runTool("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage: morvantia-score"), std::string::npos);
    run = runTool("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.compare(0, 16, "morvantia-score "), 0);
}

// Export to Cabrillo, then score the exported log: the plug-in must find the
// same score in its own export.
TEST_F(EndToEnd, CabrilloExportScoresTheSameAgain) {
    if (kExportIsInteractive) GTEST_SKIP() << kInteractiveExport;
    const ToolRun exported = runTool("--cabrillo --out export " + inQuotes(kAdifExample));
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::size_t at = exported.err.find("Cabrillo log: ");
    if (at == std::string::npos)
        GTEST_SKIP() << "the plug-in wrote no Cabrillo log, so there is nothing to score again";
    std::string cabrillo = exported.err.substr(at + 14);
    cabrillo = cabrillo.substr(0, cabrillo.find_first_of("\r\n"));
    EXPECT_EQ(cabrillo, inFolder("export", "YO2MVT.cbr"));
    // A Romanian station's log says YO, unless told otherwise; the log names
    // what wrote it, and no host INI file is left behind.
    const std::string text = readFile(cabrillo);
    EXPECT_NE(text.find("\r\nLOCATION: YO\r\n"), std::string::npos) << text.substr(0, 200);
    EXPECT_NE(text.find("\r\nCREATED-BY: Vexa StatsMorvantia plug-in run by morvantia-score "),
              std::string::npos);
    EXPECT_FALSE(platform::fileStamp(inFolder("export", "Vexa2.ini")));
    runTool("--cabrillo --station Location=dx --out export3 " + inQuotes(kAdifExample));
    EXPECT_NE(readFile(inFolder("export3", "YO2MVT.cbr")).find("\r\nLOCATION: DX\r\n"),
              std::string::npos);
    // The summary is the same whether or not an export was asked for, and
    // the score is the one the plug-in claimed, not its export marker -1.
    EXPECT_EQ(exported.out, expected("yo2mvt-morvantia.summary.txt"));
    const ToolRun json = runTool("--cabrillo --json --out export2 " + inQuotes(kAdifExample));
    EXPECT_NE(json.out.find("\"score\": 139722"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"cabrillo_file\": \""), std::string::npos) << json.out;

    const ToolRun rescored = runTool("--out again " + inQuotes(cabrillo));
    EXPECT_EQ(rescored.status, 0) << rescored.err;
    EXPECT_EQ(scoreLine(rescored.out), scoreLine(expected("yo2mvt-morvantia.summary.txt")));
    // The export holds the stored QSOs only: the three refused ones (wrong
    // band, wrong mode, no exchange) are gone, the rest reads the same.
    std::string summary = expected("yo2mvt-morvantia.summary.txt");
    summary.replace(summary.find("Bad QSO\t 5"), 10, "Bad QSO\t 2");
    EXPECT_EQ(rescored.out, summary);
}

}  // namespace

// A file of the run that cannot be written fails the run and is named, with
// the score still shown. Each file's name is taken by a folder that holds a
// file, which no rename or open for writing can replace.
TEST_F(EndToEnd, FilesThatCannotBeWrittenFailTheRunAndAreNamed) {
    struct Case {
        const char *blocked;  // inside the working folder
        const char *options;
        std::string named;    // in the message on standard error
        bool scored;          // the summary still reaches standard output
    };
    const Case cases[] = {
        {kBadQsoName, "", "cannot write " + inFolder("out1", kBadQsoName), true},
        {"Plugins/Morvantia.ini", "", "cannot write Plugins\\Morvantia.ini", false},
        {"YO2MVT.cbr", "--cabrillo", "the Cabrillo log could not be written", true},
    };
    int n = 0;
    for (const Case &c : cases) {
        const std::string out = "out" + std::to_string(++n);
        if (kExportIsInteractive && std::string(c.options) == "--cabrillo") continue;
        SCOPED_TRACE(c.blocked);
        const std::string blocked = platform::joinPath(out, c.blocked);
        std::string reason;
        ASSERT_TRUE(platform::makeFolders(blocked, reason)) << reason;
        writeFile(platform::joinPath(blocked, "keep"), "x");
        const ToolRun run =
            runTool(std::string(c.options) + " --out " + out + " " + inQuotes(kAdifExample));
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(platform::nativePath(c.named)), std::string::npos) << run.err;
        EXPECT_EQ(scoreLine(run.out).empty(), !c.scored) << run.out;
    }
}

// One ADIF QSO of YO2MVT (code TM) on 3 February 2024.
std::string adifQso(const std::string &call, const std::string &band, const std::string &time,
                    const std::string &received, const std::string &sent = "001 TM") {
    auto field = [](const char *name, const std::string &value) {
        return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
    };
    return field("CALL", call) + field("QSO_DATE", "20240203") + field("TIME_ON", time) +
           field("BAND", band) + field("MODE", "CW") + field("STATION_CALLSIGN", "YO2MVT") +
           field("STX_STRING", sent) + field("SRX_STRING", received) + "<EOR>\n";
}

long jsonNumber(const std::string &json, const std::string &name) {
    const std::size_t at = json.find("\"" + name + "\": ");
    return at == std::string::npos ? -1 : std::stol(json.substr(at + name.size() + 4));
}

// Logs as other programs write them: each case a small log, what the run
// must answer, and what it must say.
TEST_F(EndToEnd, LogsFromOtherProgramsAreReadAsTheOperatorLoggedThem) {
    const std::string two = adifQso("DL1AA", "80M", "1600", "001 DL") +
                            adifQso("YO5ABC", "40M", "1700", "002 CJ");
    const std::string longSoapbox(150, 'S');
    struct Case {
        const char *what;
        std::string log;
        std::string options;
        int status;
        std::vector<std::string> said;  // on standard error
        std::string scoreLine;          // empty: no summary
    };
    const Case cases[] = {
        {"end marker", two + "<APP_LoTW_EOF>\n", "", 0, {}, "Score:\t 4*(1+1)=8\r\n"},
        {"sent exchange without a code", adifQso("DL1AA", "80M", "1600", "001 DL", "001 DAN NY"),
         "", 2, {"\"DANNY\", not a code of two letters; give --code"}, ""},
        {"--code given", adifQso("DL1AA", "80M", "1600", "001 DL", "001 DAN NY"), "--code ny",
         0, {}, "Score:\t 2*(1+0)=2\r\n"},
        {"bare serial received", two + adifQso("DL2BB", "80M", "1601", "003"), "", 1,
         {"log.adi:3: record 3: received exchange \"003\" cannot be logged"},
         "Score:\t 4*(1+1)=8\r\n"},
        {"contest period", two, "--start \"2024-02-03 16:30\" --end \"2024-02-03 17:00\"", 1,
         {"log.adi:1: record 1: QSO at 2024-02-03 16:00 lies before --start 2024-02-03 16:30"},
         "Score:\t 2*(0+1)=2\r\n"},
        {"long soapbox", two, "--cabrillo --station SoapBox=" + longSoapbox, 0,
         {"station detail SoapBox has 150 characters; the plug-in keeps only the first 99"},
         "Score:\t 4*(1+1)=8\r\n"},
    };
    int n = 0;
    for (const Case &c : cases) {
        if (kExportIsInteractive && c.options.find("--cabrillo") != std::string::npos) continue;
        SCOPED_TRACE(c.what);
        writeFile("log.adi", c.log);
        const ToolRun run = runTool(c.options + " --out o" + std::to_string(++n) + " log.adi");
        EXPECT_EQ(run.status, c.status) << run.err;
        for (const std::string &text : c.said)
            EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
        EXPECT_EQ(scoreLine(run.out), c.scoreLine) << run.out;
    }
}

// Every QSO record lands in exactly one of the JSON counts.
TEST_F(EndToEnd, JsonCountsAddUp) {
    writeFile("log.adi", adifQso("DL1AA", "80M", "1600", "001 DL") +
                             adifQso("DL1AA", "80M", "1601", "002 DL") +   // dupe
                             adifQso("YO5ABC", "40M", "1602", "003 QQ") +  // no county
                             adifQso("YO5ABD", "20M", "1603", "004 CJ") +  // wrong band
                             adifQso("DL2BB", "40M", "1604", "005") +      // no code
                             adifQso("DL3CC", "40M", "2300", "006 DL") +   // after the end
                             "<CALL:4>DL4D <EOR>\n");                      // unreadable
    const ToolRun run = runTool("--json --end \"2024-02-03 20:00\" --out o log.adi");
    EXPECT_EQ(run.status, 1) << run.err;
    const std::string &j = run.out;
    const long total = jsonNumber(j.substr(j.find("\"total\"")), "qsos");
    EXPECT_EQ(jsonNumber(j, "records_read") + jsonNumber(j, "records_skipped"), 7);
    EXPECT_EQ(jsonNumber(j, "records_skipped"), 1);
    EXPECT_EQ(jsonNumber(j, "qsos_outside_period"), 1);
    EXPECT_EQ(jsonNumber(j, "qsos_refused_at_entry"), 1);
    EXPECT_EQ(jsonNumber(j, "qsos_given"), 4);
    EXPECT_EQ(jsonNumber(j, "qsos_refused"), 1);
    EXPECT_EQ(jsonNumber(j, "qsos_stored"), 3);
    EXPECT_EQ(total, 1);
    EXPECT_EQ(jsonNumber(j, "qsos_dupe"), 1);
    EXPECT_EQ(jsonNumber(j, "qsos_excluded"), 1);
}
