// From a log's fields to the arguments the plug-in is called with: ADIF and
// Cabrillo field rules, format detection, and the records that are left out.
#include "tools/common/contest_log.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

std::string field(const std::string &name, const std::string &value) {
    return "<" + name + ":" + std::to_string(value.size()) + ">" + value + " ";
}

// One ADIF record: a complete Romanian QSO with extra or replacing fields.
std::string adifQso(const std::string &extra, bool withBase = true) {
    std::string base;
    if (withBase)
        base = field("CALL", "YO5ABC") + field("QSO_DATE", "20240203") +
               field("TIME_ON", "1605") + field("MODE", "CW");
    return base + extra + "<EOR>\n";
}

ContestQso onlyQso(const std::string &text) {
    const ContestLog log = readLog(text, CountryResolver());
    EXPECT_EQ(log.qsos.size(), 1u);
    for (const ReadProblem &p : log.problems) ADD_FAILURE() << p.message;
    return log.qsos.empty() ? ContestQso() : log.qsos[0];
}

std::string onlyProblem(const std::string &text) {
    const ContestLog log = readLog(text, CountryResolver());
    EXPECT_TRUE(log.qsos.empty());
    EXPECT_EQ(log.problems.size(), 1u);
    return log.problems.empty() ? std::string() : log.problems[0].message;
}

TEST(FormatDetection, ByContentNotByName) {
    EXPECT_EQ(detectFormat("made by a logger\n<EOH>\n<CALL:4>YO5A <EOR>"), LogFormat::Adif);
    EXPECT_EQ(detectFormat("<call:4>YO5A <eor>"), LogFormat::Adif);
    EXPECT_EQ(detectFormat("\n <?xml version=\"1.0\"?><ADX></ADX>"), LogFormat::Adx);
    EXPECT_EQ(detectFormat("START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\n"), LogFormat::Cabrillo);
    EXPECT_EQ(detectFormat("\xEF\xBB\xBFstart-of-log: 2.0\n"), LogFormat::Cabrillo);
    EXPECT_EQ(detectFormat("CALLSIGN: YO2MVT\nQSO: 3512 CW 2024-02-03 1605 A B\n"),
              LogFormat::Cabrillo);
    EXPECT_EQ(detectFormat("just some text\n"), LogFormat::Unknown);
    EXPECT_EQ(detectFormat(""), LogFormat::Unknown);
}

TEST(AdifBandAndFrequency, BandReachesThePluginInItsOwnSpelling) {
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M"))).band, "80m");
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "40m"))).band, "40m");
    // Outside the contest: unchanged, for the plug-in to refuse.
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "20M"))).band, "20M");
}

TEST(AdifBandAndFrequency, FrequencyIsMegahertzAndGivesTheBandWhenThereIsNone) {
    const ContestQso q = onlyQso(adifQso(field("FREQ", "3.5245")));
    EXPECT_EQ(q.frequencyHz, 3524500u);
    EXPECT_EQ(q.band, "80m");
    EXPECT_EQ(onlyQso(adifQso(field("FREQ", "7.0125678"))).frequencyHz, 7012567u);
    EXPECT_EQ(onlyQso(adifQso(field("FREQ", "14.030"))).band, "20m");
    EXPECT_EQ(onlyQso(adifQso(field("FREQ", "8.5"))).band, "");
}

TEST(AdifBandAndFrequency, BandWinsOverFrequency) {
    const ContestQso q = onlyQso(adifQso(field("BAND", "40M") + field("FREQ", "3.520")));
    EXPECT_EQ(q.band, "40m");
    EXPECT_EQ(q.frequencyHz, 3520000u);
}

TEST(AdifBandAndFrequency, FrequencyBeyondTheHostsRangeIsLeftUnknown) {
    const ContestQso q = onlyQso(adifQso(field("BAND", "3CM") + field("FREQ", "10368.1")));
    EXPECT_EQ(q.frequencyHz, 0u);
    EXPECT_EQ(q.band, "3CM");
}

TEST(AdifModes, SsbCwAndPskBecomeThePluginsNames) {
    auto mode = [](const std::string &fields) {
        return onlyQso(adifQso(field("CALL", "YO5ABC") + field("QSO_DATE", "20240203") +
                                   field("TIME_ON", "1605") + field("BAND", "80M") + fields,
                               false))
            .mode;
    };
    EXPECT_EQ(mode(field("MODE", "SSB")), "SSB");
    EXPECT_EQ(mode(field("MODE", "SSB") + field("SUBMODE", "LSB")), "SSB");
    EXPECT_EQ(mode(field("MODE", "ssb") + field("SUBMODE", "USB")), "SSB");
    EXPECT_EQ(mode(field("MODE", "cw")), "CW");
    EXPECT_EQ(mode(field("MODE", "PSK") + field("SUBMODE", "PSK31")), "BPSK31");
    EXPECT_EQ(mode(field("MODE", "PSK") + field("SUBMODE", "PSK63")), "BPSK63");
    EXPECT_EQ(mode(field("MODE", "PSK") + field("SUBMODE", "PSK125")), "BPSK125");
    EXPECT_EQ(mode(field("MODE", "PSK63")), "BPSK63");
    EXPECT_EQ(mode(field("MODE", "PSK125")), "BPSK125");
    EXPECT_EQ(mode(field("MODE", "PSK31")), "BPSK31");
}

TEST(AdifModes, OtherModesPassThroughForThePluginToRefuse) {
    auto mode = [](const std::string &fields) {
        return onlyQso(adifQso(field("CALL", "YO5ABC") + field("QSO_DATE", "20240203") +
                                   field("TIME_ON", "1605") + field("BAND", "80M") + fields,
                               false))
            .mode;
    };
    EXPECT_EQ(mode(field("MODE", "RTTY")), "RTTY");
    EXPECT_EQ(mode(field("MODE", "MFSK") + field("SUBMODE", "FT4")), "FT4");
    EXPECT_EQ(mode(field("MODE", "PSK") + field("SUBMODE", "QPSK31")), "QPSK31");
    EXPECT_EQ(mode(field("MODE", "PSK")), "PSK");
}

TEST(AdifExchange, SerialFromSrxPaddedToThreeDigitsCodeFromSrxString) {
    const ContestQso q = onlyQso(adifQso(field("BAND", "80M") + field("SRX", "12") +
                                         field("SRX_STRING", "012 XA")));
    EXPECT_EQ(q.receivedExchange, "012 XA");
}

TEST(AdifExchange, SrxStringAloneGivesSerialAndCode) {
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M") + field("SRX_STRING", "7AB")))
                  .receivedExchange,
              "007 AB");
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M") + field("SRX_STRING", "0123 BZ")))
                  .receivedExchange,
              "0123 BZ");
}

TEST(AdifExchange, StateGivesTheCodeOfARomanianStationOnly) {
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M") + field("SRX", "5") + field("STATE", "BV")))
                  .receivedExchange,
              "005 BV");
    const std::string foreign = field("CALL", "DL1ABC") + field("QSO_DATE", "20240203") +
                                field("TIME_ON", "1605") + field("MODE", "CW") +
                                field("BAND", "80M") + field("SRX", "5") + field("STATE", "BY");
    EXPECT_EQ(onlyQso(adifQso(foreign, false)).receivedExchange, "005");
    // The letters of SRX_STRING come first.
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M") + field("SRX_STRING", "5 CJ") +
                              field("STATE", "BV")))
                  .receivedExchange,
              "005 CJ");
}

TEST(AdifExchange, MissingExchangeReachesThePluginEmpty) {
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M"))).receivedExchange, "");
}

TEST(AdifExchange, SentNumberFromStxElseStxStringAndTheOwnCodeFromItsLetters) {
    const ContestQso a =
        onlyQso(adifQso(field("BAND", "80M") + field("STX", "3") + field("STX_STRING", "9 TM")));
    EXPECT_EQ(a.sentNumber, "003");
    EXPECT_EQ(a.sentCode, "TM");
    const ContestQso b = onlyQso(adifQso(field("BAND", "80M") + field("STX_STRING", "015TM")));
    EXPECT_EQ(b.sentNumber, "015");
    EXPECT_EQ(b.sentCode, "TM");
}

TEST(AdifExchange, NumberFieldsThatAreNoNumbersLeaveTheRecordOut) {
    EXPECT_NE(onlyProblem(adifQso(field("BAND", "80M") + field("SRX", "1a"))).find("SRX"),
              std::string::npos);
    EXPECT_NE(onlyProblem(adifQso(field("BAND", "80M") + field("STX", "x"))).find("STX"),
              std::string::npos);
}

TEST(AdifTimes, DateAndTimeOnWithOrWithoutSeconds) {
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M"))).time, (QsoTime{2024, 2, 3, 16, 5, 0}));
    const std::string withSeconds = field("CALL", "YO5ABC") + field("QSO_DATE", "20240203") +
                                    field("TIME_ON", "160530") + field("MODE", "CW") +
                                    field("BAND", "80M");
    EXPECT_EQ(onlyQso(adifQso(withSeconds, false)).time, (QsoTime{2024, 2, 3, 16, 5, 30}));
}

TEST(AdifMissingFields, EachIsNamedInTheProblem) {
    EXPECT_EQ(onlyProblem(adifQso(field("QSO_DATE", "20240203") + field("TIME_ON", "1605") +
                                      field("MODE", "CW") + field("BAND", "80M"),
                                  false)),
              "no CALL");
    EXPECT_EQ(onlyProblem(adifQso(field("CALL", "YO5A") + field("TIME_ON", "1605") +
                                      field("MODE", "CW") + field("BAND", "80M"),
                                  false)),
              "no QSO_DATE");
    EXPECT_EQ(onlyProblem(adifQso(field("CALL", "YO5A") + field("QSO_DATE", "20240203") +
                                      field("MODE", "CW") + field("BAND", "80M"),
                                  false)),
              "no TIME_ON");
    EXPECT_EQ(onlyProblem(adifQso(field("CALL", "YO5A") + field("QSO_DATE", "20240203") +
                                      field("TIME_ON", "1605") + field("BAND", "80M"),
                                  false)),
              "no MODE");
    EXPECT_EQ(onlyProblem(adifQso("")), "no BAND or FREQ");
}

TEST(AdifBadValues, DatesTimesAndFrequencies) {
    auto qso = [](const std::string &date, const std::string &time) {
        return adifQso(field("CALL", "YO5A") + field("QSO_DATE", date) + field("TIME_ON", time) +
                           field("MODE", "CW") + field("BAND", "80M"),
                       false);
    };
    EXPECT_NE(onlyProblem(qso("20240231", "1605")).find("QSO_DATE"), std::string::npos);
    EXPECT_NE(onlyProblem(qso("20230229", "1605")).find("QSO_DATE"), std::string::npos);
    EXPECT_NE(onlyProblem(qso("2024-02-03", "1605")).find("QSO_DATE"), std::string::npos);
    EXPECT_NE(onlyProblem(qso("20240203", "2460")).find("TIME_ON"), std::string::npos);
    EXPECT_NE(onlyProblem(qso("20240203", "16")).find("TIME_ON"), std::string::npos);
    EXPECT_NE(onlyProblem(adifQso(field("FREQ", "3,520"))).find("FREQ"), std::string::npos);
    EXPECT_EQ(onlyQso(qso("20240229", "235959")).time, (QsoTime{2024, 2, 29, 23, 59, 59}));
}

TEST(AdifLog, ProblemsCarryRecordNumbersAndTheOtherRecordsAreKept) {
    const std::string good = adifQso(field("BAND", "80M"));
    const ContestLog log = readLog(good + adifQso(field("FREQ", "x")) + good, CountryResolver());
    EXPECT_EQ(log.qsos.size(), 2u);
    ASSERT_EQ(log.problems.size(), 1u);
    EXPECT_EQ(log.problems[0].record, 2);
    EXPECT_EQ(log.problems[0].line, 2);
    EXPECT_EQ(log.qsos[1].record, 3);
}

TEST(AdifLog, OwnCallFromStationCallsignElseOperator) {
    EXPECT_EQ(readLog(adifQso(field("BAND", "80M") + field("OPERATOR", "YO2OP") +
                              field("STATION_CALLSIGN", "YO2MVT")),
                      CountryResolver())
                  .ownCall,
              "YO2MVT");
    EXPECT_EQ(readLog(adifQso(field("BAND", "80M")) +
                          adifQso(field("BAND", "80M") + field("OPERATOR", "YO2OP")),
                      CountryResolver())
                  .ownCall,
              "YO2OP");
}

TEST(AdifLog, StationDetailsForTheExportComeFromTheOwnFields) {
    const ContestLog log = readLog(
        adifQso(field("BAND", "80M") + field("MY_NAME", "Mara Dinu") +
                field("MY_CITY", "Timisoara") + field("OPERATOR", "YO2MVT")),
        CountryResolver());
    const StationDetails expected = {
        {"Operators", "YO2MVT"}, {"Name", "Mara Dinu"}, {"Address_City", "Timisoara"}};
    EXPECT_EQ(log.station, expected);
}

TEST(AdifLog, CountryPrefixOfTheWorkedStation) {
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M"))).countryPrefix, "YO");
    const std::string special = field("CALL", "4X0MVT") + field("QSO_DATE", "20240203") +
                                field("TIME_ON", "1605") + field("MODE", "CW") +
                                field("BAND", "80M");
    EXPECT_EQ(onlyQso(adifQso(special, false)).countryPrefix, "4X");
    EXPECT_EQ(onlyQso(adifQso(special + field("DXCC", "275"), false)).countryPrefix, "YO");
}

TEST(AdxLog, ReadsLikeAdif) {
    const ContestLog log = readLog(
        "<?xml version=\"1.0\"?><ADX><RECORDS><RECORD><CALL>YO5ABC</CALL>"
        "<QSO_DATE>20240203</QSO_DATE><TIME_ON>1605</TIME_ON><BAND>80M</BAND>"
        "<MODE>PSK</MODE><SUBMODE>PSK63</SUBMODE><SRX_STRING>012AB</SRX_STRING>"
        "</RECORD></RECORDS></ADX>",
        CountryResolver());
    EXPECT_EQ(log.format, LogFormat::Adx);
    ASSERT_EQ(log.qsos.size(), 1u);
    EXPECT_EQ(log.qsos[0].mode, "BPSK63");
    EXPECT_EQ(log.qsos[0].receivedExchange, "012 AB");
}

// Cabrillo ---------------------------------------------------------------

ContestQso cabrilloQso(const std::string &line) {
    const ContestLog log =
        readLog("START-OF-LOG: 3.0\nCALLSIGN: YO2MVT\n" + line + "\nEND-OF-LOG:\n",
                CountryResolver());
    for (const ReadProblem &p : log.problems) ADD_FAILURE() << p.message;
    EXPECT_EQ(log.qsos.size(), 1u);
    return log.qsos.empty() ? ContestQso() : log.qsos[0];
}

std::string cabrilloProblem(const std::string &line) {
    const ContestLog log = readLog("START-OF-LOG: 3.0\n" + line + "\n", CountryResolver());
    EXPECT_TRUE(log.qsos.empty());
    EXPECT_EQ(log.problems.size(), 1u);
    if (log.problems.empty()) return std::string();
    EXPECT_EQ(log.problems[0].line, 2);
    EXPECT_EQ(log.problems[0].record, 1);
    return log.problems[0].message;
}

TEST(CabrilloQsoLines, FullLineWithReportsAndSplitExchange) {
    const ContestQso q = cabrilloQso(
        "QSO:  3512 CW 2024-02-03 1405 YO2MVT        599 001 TM YO9ZZ         579 002 AB");
    EXPECT_EQ(q.frequencyHz, 3512000u);
    EXPECT_EQ(q.band, "80m");
    EXPECT_EQ(q.mode, "CW");
    EXPECT_EQ(q.time, (QsoTime{2024, 2, 3, 14, 5, 0}));
    EXPECT_EQ(q.ownCall, "YO2MVT");
    EXPECT_EQ(q.rstSent, "599");
    EXPECT_EQ(q.sentNumber, "001");
    EXPECT_EQ(q.sentCode, "TM");
    EXPECT_EQ(q.call, "YO9ZZ");
    EXPECT_EQ(q.rstReceived, "579");
    EXPECT_EQ(q.receivedExchange, "002 AB");
    EXPECT_EQ(q.countryPrefix, "YO");
}

TEST(CabrilloQsoLines, JoinedExchangeAndTransmitterNumber) {
    const ContestQso q =
        cabrilloQso("QSO: 7012 PH 2024-02-03 1405 YO2MVT 59 001TM DL1ABC 59 2DE 1");
    EXPECT_EQ(q.mode, "SSB");
    EXPECT_EQ(q.band, "40m");
    EXPECT_EQ(q.sentNumber, "001");
    EXPECT_EQ(q.receivedExchange, "002 DE");
    EXPECT_EQ(q.countryPrefix, "DL");
}

TEST(CabrilloQsoLines, ExchangeWithoutReports) {
    const ContestQso q = cabrilloQso("QSO: 3512 CW 2024-02-03 1405 YO2MVT 001 TM YO9ZZ 002 AB");
    EXPECT_EQ(q.rstSent, "");
    EXPECT_EQ(q.sentNumber, "001");
    EXPECT_EQ(q.rstReceived, "");
    EXPECT_EQ(q.receivedExchange, "002 AB");
}

TEST(CabrilloQsoLines, MissingReceivedExchangeReachesThePluginEmpty) {
    const ContestQso q = cabrilloQso("QSO: 3512 CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599");
    EXPECT_EQ(q.rstReceived, "599");
    EXPECT_EQ(q.receivedExchange, "");
    EXPECT_EQ(cabrilloQso("QSO: 3512 CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ")
                  .receivedExchange,
              "");
}

TEST(CabrilloQsoLines, Modes) {
    auto mode = [](const std::string &m) {
        return cabrilloQso("QSO: 3512 " + m + " 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB")
            .mode;
    };
    EXPECT_EQ(mode("PK"), "BPSK31");
    EXPECT_EQ(mode("DG"), "BPSK31");
    EXPECT_EQ(mode("RY"), "RTTY");
    EXPECT_EQ(mode("FM"), "FM");
}

TEST(CabrilloQsoLines, FrequencyOrBand) {
    auto line = [](const std::string &f) {
        return "QSO: " + f + " CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB";
    };
    EXPECT_EQ(cabrilloQso(line("7000")).band, "40m");
    EXPECT_EQ(cabrilloQso(line("14032")).band, "20m");
    EXPECT_EQ(cabrilloQso(line("50")).band, "6m");
    EXPECT_EQ(cabrilloQso(line("50")).frequencyHz, 0u);
    EXPECT_EQ(cabrilloQso(line("80M")).band, "80m");
    EXPECT_EQ(cabrilloQso(line("3512.5")).frequencyHz, 3512500u);
}

TEST(CabrilloBroken, EachBadLineIsLeftOutWithItsLine) {
    EXPECT_NE(cabrilloProblem("QSO: 3512 CW 2024-02-30 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB")
                  .find("date"),
              std::string::npos);
    EXPECT_NE(cabrilloProblem("QSO: 3512 CW 2024-02-03 1465 YO2MVT 599 001 TM YO9ZZ 599 002 AB")
                  .find("time"),
              std::string::npos);
    EXPECT_NE(cabrilloProblem("QSO: abc CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB")
                  .find("frequency"),
              std::string::npos);
    EXPECT_NE(cabrilloProblem("QSO: 0 CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB")
                  .find("no band"),
              std::string::npos);
    EXPECT_NE(cabrilloProblem("QSO: 3512 CW 2024-02-03 1405").find("needs"), std::string::npos);
    EXPECT_NE(cabrilloProblem("QSO: 3512 CW 2024-02-03 1405 YO2MVT 599 001 TM 599 002")
                  .find("worked call"),
              std::string::npos);
    EXPECT_NE(cabrilloProblem("QSO 3512 CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB")
                  .find(":"),
              std::string::npos);
}

TEST(CabrilloLog, HeaderGivesTheStation) {
    const ContestLog log = readLog(
        "START-OF-LOG: 3.0\r\ncallsign: YO2MVT\r\nNAME: Mara Dinu\r\nADDRESS: Str. Mare 1\r\n"
        "ADDRESS: ap. 2\r\nOPERATORS: YO2MVT YO2OP\r\nE-MAIL: m@example.org\r\n"
        "SOAPBOX: first\r\nSOAPBOX: second\r\n"
        "QSO: 3512 CW 2024-02-03 1405 YO2MVT 599 001 TM YO9ZZ 599 002 AB\r\nEND-OF-LOG:\r\n",
        CountryResolver());
    EXPECT_EQ(log.ownCall, "YO2MVT");
    EXPECT_EQ(log.ownCode, "TM");
    const StationDetails expected = {{"Name", "Mara Dinu"},
                                     {"Address", "Str. Mare 1, ap. 2"},
                                     {"Operators", "YO2MVT YO2OP"},
                                     {"Email", "m@example.org"},
                                     {"SoapBox", "first<CR><LF>second"}};
    EXPECT_EQ(log.station, expected);
}

TEST(CabrilloLog, ExcludedQsosLinesAfterTheEndAndOwnCallFromTheQsos) {
    const ContestLog log = readLog(
        "START-OF-LOG: 3.0\nX-QSO: 3512 CW 2024-02-03 1400 YO2MVT 599 001 TM YO9AA 599 002 AB\n"
        "QSO: 3512 CW 2024-02-03 1405 YO2MVT 599 002 TM YO9ZZ 599 002 AB\nEND-OF-LOG:\n"
        "QSO: 3512 CW 2024-02-03 1410 YO2MVT 599 003 TM YO9YY 599 003 AB\n",
        CountryResolver());
    ASSERT_EQ(log.qsos.size(), 1u);
    EXPECT_EQ(log.qsos[0].call, "YO9ZZ");
    EXPECT_EQ(log.ownCall, "YO2MVT");
    EXPECT_TRUE(log.problems.empty());
}

}  // namespace
}  // namespace tools

namespace tools {
namespace {

TEST(OwnCode, OnlyTwoLettersThatEverySentExchangeAgreesOn) {
    struct Case {
        std::vector<std::string> sent;  // STX_STRING of each QSO
        std::string code;
        std::string problem;
    };
    const Case cases[] = {
        {{"001 TM", "002 tm"}, "TM", ""},
        {{"001 TM", "002"}, "TM", ""},
        {{"001 DAN NY"}, "", "the sent exchanges give \"DANNY\", not a code of two letters"},
        {{"599 BEAU"}, "", "the sent exchanges give \"BEAU\", not a code of two letters"},
        {{"001 TM", "002 BU"}, "", "the sent exchanges give 2 different codes (TM, BU)"},
        {{"001", "002"}, "", "the sent exchanges hold no code"},
    };
    for (const Case &c : cases) {
        std::string text;
        for (const std::string &sent : c.sent)
            text += adifQso(field("BAND", "80M") + field("STX_STRING", sent));
        const ContestLog log = readLog(text, CountryResolver());
        EXPECT_EQ(log.ownCode, c.code) << c.sent[0];
        EXPECT_EQ(log.ownCodeProblem, c.problem) << c.sent[0];
    }
}

TEST(AdifTimes, TimeOffStandsInForAMissingTimeOnAndIsCounted) {
    const std::string base = field("CALL", "YO5ABC") + field("QSO_DATE", "20240203") +
                             field("MODE", "CW") + field("BAND", "80M");
    const ContestLog log = readLog(adifQso(base + field("TIME_OFF", "1612"), false) +
                                       adifQso(base + field("TIME_OFF", "1613"), false) +
                                       adifQso(base + field("TIME_ON", "1605") +
                                                   field("TIME_OFF", "1614"),
                                               false),
                                   CountryResolver());
    ASSERT_EQ(log.qsos.size(), 3u);
    EXPECT_TRUE(log.problems.empty());
    EXPECT_EQ(log.timeOffUsed, 2);
    EXPECT_EQ(log.qsos[0].time.minute, 12);
    EXPECT_EQ(log.qsos[2].time.minute, 5);
}

}  // namespace
}  // namespace tools

namespace tools {
namespace {

// The logging program's entry fields take capitals only: a log written in
// lower case reaches the plug-in as the same log in capitals would.
TEST(LowerCaseLogs, ExchangesReachThePluginInCapitals) {
    const ContestQso cabrillo = onlyQso(
        "start-of-log: 3.0\ncallsign: yo2aaa\n"
        "qso: 3510 cw 2024-02-03 1600 yo2aaa 599 001 tm yo3bbb 599 12 bu\nend-of-log:\n");
    EXPECT_EQ(cabrillo.receivedExchange, "012 BU");
    EXPECT_EQ(cabrillo.sentCode, "TM");
    const ContestQso adif = onlyQso(adifQso(field("BAND", "80M") + field("STX_STRING", "001 tm") +
                                            field("SRX_STRING", "5 bu")));
    EXPECT_EQ(adif.receivedExchange, "005 BU");
    EXPECT_EQ(adif.sentCode, "TM");
    EXPECT_EQ(onlyQso(adifQso(field("BAND", "80M") + field("SRX", "7") + field("STATE", "cj")))
                  .receivedExchange,
              "007 CJ");
}

}  // namespace
}  // namespace tools

namespace tools {
namespace {

TEST(CabrilloLineEnds, CrLfAndCrAloneReadAlike) {
    const std::string lines[] = {"START-OF-LOG: 3.0", "CALLSIGN: YO2AAA", "",
                                 "QSO: 3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU",
                                 "QSO: 3510 CW 2024-02-03 1601 YO2AAA 599 002 TM YO4CCC 599 001 CJ",
                                 "END-OF-LOG:"};
    for (const char *end : {"\n", "\r\n", "\r"}) {
        std::string text;
        for (const std::string &line : lines) text += line + end;
        const ContestLog log = readLog(text, CountryResolver());
        EXPECT_EQ(log.format, LogFormat::Cabrillo);
        EXPECT_EQ(log.ownCall, "YO2AAA");
        ASSERT_EQ(log.qsos.size(), 2u);
        EXPECT_EQ(log.qsos[1].line, 5);
        EXPECT_EQ(log.qsos[1].receivedExchange, "001 CJ");
        // A log that lost its first line is still told by its QSO lines.
        EXPECT_EQ(detectFormat(text.substr(text.find("CALLSIGN"))), LogFormat::Cabrillo);
    }
}

}  // namespace
}  // namespace tools
