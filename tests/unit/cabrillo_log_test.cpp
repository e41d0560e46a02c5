#include "reports/cabrillo_log.h"

#include "platform/profile.h"
#include "tests/support/cabrillo_check.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace reports {
namespace {

using testing_support::readFile;

const char *const kIni = "Plugins\\Morvantia.ini";

std::string ini(const char *key) {
    return platform::readProfileString("Settings", key, "", kIni);
}

// An editor that plays the operator: changes some fields, then confirms or
// cancels.
class ScriptedEditor : public StationDetailsEditor {
public:
    bool edit(StationDetails &d) override {
        shown = d;
        if (change) change(d);
        return confirm;
    }
    std::function<void(StationDetails &)> change;
    bool confirm = true;
    StationDetails shown;
};

std::string header(const std::string &call, const std::string &operators,
                   const std::string &soapboxLines, int claimed = 0,
                   const std::string &transmitter = "") {
    return "START-OF-LOG: 3.0\r\nLOCATION: DX\r\nCALLSIGN: " + call +
           "\r\nCLUB: \r\nCONTEST: MORVANTIA\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
           "CATEGORY-ASSISTED: NON-ASSISTED\r\nCATEGORY-BAND: ALL\r\n"
           "CATEGORY-MODE: MIXED\r\nCATEGORY-POWER: HIGH\r\nCATEGORY-STATION: FIXED\r\n"
           "CATEGORY-TRANSMITTER: " + transmitter + "\r\nCLAIMED-SCORE: " +
           std::to_string(claimed) + "\r\nOPERATORS: " + operators +
           "\r\nNAME: \r\nADDRESS: \r\nADDRESS-CITY: \r\nADDRESS-POSTALCODE: \r\n"
           "ADDRESS-COUNTRY: \r\nCREATED-BY: Vexa 2.20\r\nE-MAIL: \r\n" + soapboxLines;
}

TEST(ReplaceAll, ScansLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("a/b/c", "/", "//"), "a//b//c");
    EXPECT_EQ(ReplaceAll("abc", "b", "b"), "abc");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
}

TEST(CabrilloLog, QsoLineWidths) {
    testing_support::WorkDir dir;
    CabrilloLog log;
    ConfirmingEditor editor;
    log.EditStationDetails("YO3AAA", editor);
    log.AddQsoLine("YO9ZZ", 3512, "CW", "2017-02-05 1405", "599", "001 BU", "599", "002 AB");
    log.AddQsoLine("YO9ZZ/LONGCALLSIGN", 123456, "PK", "2017-02-05 1405", "5999", "0001 BUX",
                   "599", "002 AB");
    log.AddQsoLine("K1", 7000, "??", "", "", "", "", "");
    ASSERT_EQ(log.qsoLines().size(), 3u);
    EXPECT_EQ(log.qsoLines()[0],
              "QSO:  3512 CW 2017-02-05 1405 YO3AAA        599 001 BU YO9ZZ         599 002 "
              "AB\r\n");
    // Widths are minimums: longer texts push the rest along, never cut.
    EXPECT_EQ(log.qsoLines()[1],
              "QSO: 123456 PK 2017-02-05 1405 YO3AAA        5999 0001 BUX YO9ZZ/LONGCALLSIGN "
              "599 002 AB\r\n");
    EXPECT_EQ(log.qsoLines()[2], "QSO:  7000 ??  YO3AAA" + std::string(19, ' ') + "K1" +
                                     std::string(16, ' ') + "\r\n");
}

TEST(CabrilloLog, ConfirmedDetailsAreStoredInOrderAndWritten) {
    testing_support::WorkDir dir;
    platform::writeProfileString("Settings", "Claimed", "1234", kIni);
    CabrilloLog log;
    ScriptedEditor editor;
    editor.change = [](StationDetails &d) {
        d.soapbox = "first\r\nsecond\r\nthird";
        d.club = "RC \"Carpati\"";
        d.categoryTransmitter = "ONE";
        d.claimed = "ignored";
        d.name = "Ion Pop";
    };
    EXPECT_EQ(log.EditStationDetails("YO3AAA/P", editor), 1);
    EXPECT_EQ(editor.shown.claimed, "1234");
    EXPECT_EQ(editor.shown.operators, "YO3AAA/P");
    EXPECT_EQ(editor.shown.contest, "MORVANTIA");
    EXPECT_EQ(log.fileBase(), "YO3AAA_P");
    EXPECT_EQ(ini("SoapBox"), "first<CR><LF>second<CR><LF>third");
    EXPECT_EQ(ini("Category_Transmitter"), "ONE");
    EXPECT_EQ(ini("Category"), "SINGLE-OP");
    EXPECT_EQ(ini("Contest"), "MORVANTIA");
    EXPECT_EQ(ini("Claimed"), "1234");
    const std::string file = readFile(kIni);
    const char *order[] = {"Operators=", "Name=", "Address=", "Address_City=",
                           "Address_Province=", "Address_PostalCode=", "Address_Country=",
                           "Category=", "Category_Assisted=", "Category_Band=",
                           "Category_Power=", "Category_Station=", "Category_Transmitter=",
                           "Category_Overlay=", "Contest=", "Email=", "Club=", "SoapBox="};
    std::size_t last = 0;
    for (const char *key : order) {
        const std::size_t at = file.find(std::string("\r\n") + key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }

    log.AddQsoLine("YO9ZZ", 3512, "CW", "2017-02-05 1405", "599", "001 BU", "599", "002 AB");
    const WriteOutcome outcome = log.WriteLog(77, "2.20");
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.message, "File produced: YO3AAA_P.cbr");
    std::string expected = header("YO3AAA/P", "YO3AAA/P",
                                  "SOAPBOX: first\r\nSOAPBOX: second\r\nSOAPBOX: third\r\n", 77,
                                  "ONE");
    expected.replace(expected.find("CLUB: "), 8, "CLUB: RC \"Carpati\"\r\n");
    expected.replace(expected.find("NAME: "), 8, "NAME: Ion Pop\r\n");
    expected += "QSO:  3512 CW 2017-02-05 1405 YO3AAA/P      599 001 BU YO9ZZ         599 002 "
                "AB\r\nEND-OF-LOG:\r\n";
    EXPECT_EQ(readFile("YO3AAA_P.cbr"), expected);
    EXPECT_EQ(testing_support::cabrilloProblems(expected), std::vector<std::string>{});

    // The next run starts from the fixed categories but keeps the
    // transmitter chosen last time.
    ScriptedEditor again;
    again.confirm = false;
    log.EditStationDetails("YO3AAA/P", again);
    EXPECT_EQ(again.shown.categoryOperator, "SINGLE-OP");
    EXPECT_EQ(again.shown.categoryTransmitter, "ONE");
    EXPECT_EQ(again.shown.soapbox, "first\r\nsecond\r\nthird");
}

TEST(CabrilloLog, SoapboxOfOneAndTwoLines) {
    testing_support::WorkDir dir;
    CabrilloLog log;
    ScriptedEditor editor;
    editor.change = [](StationDetails &d) { d.soapbox = "just one"; };
    log.EditStationDetails("YO3AAA", editor);
    log.WriteLog(0, "2.20");
    EXPECT_NE(readFile("YO3AAA.cbr").find("\r\nSOAPBOX: just one\r\nEND-OF-LOG:\r\n"),
              std::string::npos);
    editor.change = [](StationDetails &d) { d.soapbox = "one\r\ntwo"; };
    log.EditStationDetails("YO3AAA", editor);
    log.WriteLog(0, "2.20");
    EXPECT_NE(readFile("YO3AAA.cbr").find("\r\nSOAPBOX: one\r\nSOAPBOX: two\r\nEND-OF-LOG:"),
              std::string::npos);
}

TEST(CabrilloLog, CancelWritesNothingAndStillTagsEverySoapboxLine) {
    testing_support::WorkDir dir;
    platform::writeProfileString("Settings", "SoapBox", "a<CR><LF>b", kIni);
    const std::string before = readFile(kIni);
    CabrilloLog log;
    ScriptedEditor editor;
    editor.confirm = false;
    editor.change = [](StationDetails &d) { d.name = "typed but cancelled"; };
    log.AddQsoLine("OLD", 3500, "CW", "", "", "", "", "");
    EXPECT_EQ(log.EditStationDetails("YO3AAA", editor), 0);
    EXPECT_EQ(readFile(kIni), before);
    log.WriteLog(5, "2.20");
    const std::string file = readFile("YO3AAA.cbr");
    EXPECT_NE(file.find("\r\nSOAPBOX: a\r\nSOAPBOX: b\r\nQSO:  3500 CW"), std::string::npos)
        << file;
    EXPECT_EQ(file.find("typed but cancelled"), std::string::npos);
}

TEST(CabrilloLog, TheConventionCheckFindsBrokenLogs) {
    using testing_support::cabrilloProblems;
    const std::string good =
        "START-OF-LOG: 3.0\r\nCALLSIGN: YO3AAA\r\nCATEGORY-POWER: LOW\r\n"
        "QSO:  3512 CW 2017-02-05 1405 YO3AAA 599 001 BU YO9ZZ 599 002 AB\r\nEND-OF-LOG:\r\n";
    EXPECT_TRUE(cabrilloProblems(good).empty());
    EXPECT_EQ(cabrilloProblems(ReplaceAll(good, "CATEGORY-POWER: LOW", "CATEGORY-POWER: 5W"))
                  .size(),
              1u);
    EXPECT_EQ(cabrilloProblems(ReplaceAll(good, "CALLSIGN", "CALL-SIGN")).size(), 1u);
    EXPECT_EQ(cabrilloProblems(ReplaceAll(good, " CW ", " ?? ")).size(), 1u);
    EXPECT_EQ(cabrilloProblems(ReplaceAll(good, "1405", "2460")).size(), 1u);
    EXPECT_EQ(cabrilloProblems(ReplaceAll(good, "\r\nEND-OF-LOG:\r\n", "\r\n")).size(), 1u);
    EXPECT_FALSE(cabrilloProblems(ReplaceAll(good, "YO3AAA\r\n", "YO3AAA\n")).empty());
}

TEST(CabrilloLog, FileNamesFromCallSigns) {
    testing_support::WorkDir dir;
    CabrilloLog log;
    ConfirmingEditor editor;
    for (auto [call, base] : std::initializer_list<std::pair<const char *, const char *>>{
             {"YO3XY/P", "YO3XY_P"}, {"YO\\3/", "YO_3_"}, {"", "TEVO"}, {"   ", "TEVO"},
             {" YO3XY ", "YO3XY"}}) {
        log.EditStationDetails(call, editor);
        EXPECT_EQ(log.fileBase(), base) << '"' << call << '"';
    }
    log.EditStationDetails("", editor);
    EXPECT_EQ(log.WriteLog(0, "x").message, "File produced: TEVO.cbr");
    EXPECT_TRUE(testing_support::fileExists("TEVO.cbr"));
}

TEST(CabrilloLog, EachExportHoldsEachQsoOnce) {
    testing_support::WorkDir dir;
    CabrilloLog log;
    ConfirmingEditor editor;
    log.EditStationDetails("YO3AAA", editor);
    for (int pass = 0; pass < 2; ++pass) {
        log.AddQsoLine("YO9ZZ", 3512, "CW", "2017-02-05 1405", "599", "001", "599", "002 AB");
        log.WriteLog(0, "2.20");
        const std::string file = readFile("YO3AAA.cbr");
        EXPECT_EQ(file.find("YO9ZZ"), file.rfind("YO9ZZ")) << "pass " << pass;
    }
}

TEST(CabrilloLog, AnUnwritableTargetIsReportedAsSuch) {
    testing_support::WorkDir dir;
    std::filesystem::create_directory("YO3AAA.cbr");
    CabrilloLog log;
    ConfirmingEditor editor;
    log.EditStationDetails("YO3AAA", editor);
    const WriteOutcome outcome = log.WriteLog(0, "2.20");
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.message, "File could not be written: YO3AAA.cbr");
}

}  // namespace
}  // namespace reports
