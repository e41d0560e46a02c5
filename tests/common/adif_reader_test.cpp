// ADIF and ADX reading: fields, records, header, and what happens to broken
// records.
#include "tools/common/adif_reader.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tools {
namespace {

std::string value(const AdifRecord &record, const char *name) {
    const std::string *v = record.find(name);
    return v != nullptr ? *v : std::string("<missing>");
}

TEST(AdifFields, NamesIgnoreCaseAndTypesAreIgnored) {
    const AdifDocument doc = readAdif("<call:6>YO5ABC<Band:3:E>80M<mode:2:s>CW<eor>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(value(doc.records[0], "CALL"), "YO5ABC");
    EXPECT_EQ(value(doc.records[0], "BAND"), "80M");
    EXPECT_EQ(value(doc.records[0], "MODE"), "CW");
    EXPECT_TRUE(doc.problems.empty());
}

TEST(AdifFields, LengthCountsBytesSoDataMayHoldTagsAndLineEnds) {
    const AdifDocument doc =
        readAdif("<COMMENT:12>a<EOR>b\r\nc<d> <CALL:4>YO9Z <EOR>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(value(doc.records[0], "COMMENT"), "a<EOR>b\r\nc<d");
    EXPECT_EQ(value(doc.records[0], "CALL"), "YO9Z");
}

TEST(AdifFields, DataShorterThanTheTextBeforeTheNextTagKeepsOnlyItsLength) {
    const AdifDocument doc = readAdif("<CALL:3>YO5ABC <EOR>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(value(doc.records[0], "CALL"), "YO5");
}

TEST(AdifFields, TheFirstOfTwoFieldsWithOneNameWins) {
    const AdifDocument doc = readAdif("<CALL:4>YO5A <call:4>YO6B <EOR>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(value(doc.records[0], "CALL"), "YO5A");
}

TEST(AdifFields, ZeroLengthGivesAnEmptyValue) {
    const AdifDocument doc = readAdif("<CALL:4>YO5A <SRX_STRING:0> <EOR>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(value(doc.records[0], "SRX_STRING"), "");
}

TEST(AdifHeader, IsOptional) {
    const AdifDocument doc = readAdif("<CALL:4>YO5A <EOR>\n<CALL:4>YO6B <EOR>\n");
    EXPECT_TRUE(doc.header.empty());
    ASSERT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.records[1].number, 2);
}

TEST(AdifHeader, FreeTextMayHoldAngleBracketsAndItsFieldsAreKeptApart) {
    const AdifDocument doc = readAdif(
        "Exported by a <logger> 2 < 3\n<ADIF_VER:5>3.1.4\n<EOH>\n<CALL:4>YO5A <EOR>\n");
    ASSERT_EQ(doc.header.size(), 1u);
    EXPECT_EQ(doc.header[0].first, "ADIF_VER");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].find("ADIF_VER"), nullptr);
    EXPECT_TRUE(doc.problems.empty());
}

TEST(AdifHeader, AByteOrderMarkBeforeTheFirstTagMeansNoHeader) {
    const AdifDocument doc = readAdif("\xEF\xBB\xBF<CALL:4>YO5A <EOR>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_TRUE(doc.problems.empty());
}

TEST(AdifRecords, LinesAndNumbersPointAtTheRecord) {
    const AdifDocument doc = readAdif("head\n<EOH>\n\n<CALL:4>YO5A\n<EOR>\n<CALL:4>YO6B <EOR>");
    ASSERT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.records[0].line, 4);
    EXPECT_EQ(doc.records[1].line, 6);
    EXPECT_EQ(doc.records[1].number, 2);
}

TEST(AdifRecords, AnEmptyRecordIsNoRecord) {
    const AdifDocument doc = readAdif("<EOR><CALL:4>YO5A <EOR>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].number, 1);
}

TEST(AdifBroken, TagCutOffAtTheEndLeavesTheLastRecordOut) {
    const AdifDocument doc = readAdif("<CALL:4>YO5A <EOR>\n<CALL:4>YO6B <BAND:3");
    ASSERT_EQ(doc.records.size(), 1u);
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_EQ(doc.problems[0].record, 2);
    EXPECT_EQ(doc.problems[0].line, 2);
    EXPECT_NE(doc.problems[0].message.find("cut off"), std::string::npos);
}

TEST(AdifBroken, LengthBeyondTheEndIsReportedNotRead) {
    const AdifDocument doc = readAdif("<CALL:4>YO5A <EOR>\n<CALL:40>YO6B <EOR>");
    ASSERT_EQ(doc.records.size(), 1u);
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_EQ(doc.problems[0].record, 2);
    EXPECT_NE(doc.problems[0].message.find("runs past the end"), std::string::npos);
}

TEST(AdifBroken, BadOrMissingLengthSpoilsOnlyItsRecord) {
    const AdifDocument doc = readAdif(
        "<CALL:4>YO5A <EOR>\n<CALL:x>YO6B <EOR>\n<CALL>YO7C <EOR>\n<CALL:4>YO8D <EOR>");
    ASSERT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(value(doc.records[1], "CALL"), "YO8D");
    EXPECT_EQ(doc.records[1].number, 4);
    ASSERT_EQ(doc.problems.size(), 2u);
    EXPECT_EQ(doc.problems[0].record, 2);
    EXPECT_NE(doc.problems[0].message.find("bad length"), std::string::npos);
    EXPECT_EQ(doc.problems[1].record, 3);
    EXPECT_NE(doc.problems[1].message.find("no length"), std::string::npos);
}

TEST(AdifBroken, StrayAngleBracketInARecordIsAMalformedTag) {
    const AdifDocument doc = readAdif("<CALL:4>YO5A < BAND:3>80M <EOR>");
    EXPECT_TRUE(doc.records.empty());
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_NE(doc.problems[0].message.find("malformed tag"), std::string::npos);
}

TEST(AdifBroken, RecordWithoutEorAtTheEndIsLeftOut) {
    const AdifDocument doc = readAdif("<CALL:4>YO5A <EOR>\n<CALL:4>YO6B\n");
    ASSERT_EQ(doc.records.size(), 1u);
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_NE(doc.problems[0].message.find("not ended by <EOR>"), std::string::npos);
}

TEST(AdifBroken, HugeLengthDoesNotOverflow) {
    const AdifDocument doc = readAdif("<CALL:99999999999999999999>YO5A <EOR>");
    EXPECT_TRUE(doc.records.empty());
    EXPECT_EQ(doc.problems.size(), 1u);
}

TEST(AdxRecords, FieldsEntitiesAndEmptyElements) {
    const AdifDocument doc = readAdx(
        "<?xml version=\"1.0\"?>\n<ADX><HEADER><ADIF_VER>3.1.4</ADIF_VER></HEADER>\n"
        "<RECORDS>\n<RECORD>\n  <CALL>YO5ABC</CALL>\n  <COMMENT>a &lt;b&gt; &amp; &#65;</COMMENT>\n"
        "  <STATE/>\n  <!-- a note -->\n</RECORD>\n<record><call>DL1ABC</call></record>\n"
        "</RECORDS></ADX>\n");
    ASSERT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(value(doc.records[0], "CALL"), "YO5ABC");
    EXPECT_EQ(value(doc.records[0], "COMMENT"), "a <b> & A");
    EXPECT_EQ(value(doc.records[0], "STATE"), "");
    EXPECT_EQ(doc.records[0].line, 4);
    EXPECT_EQ(value(doc.records[1], "CALL"), "DL1ABC");
    EXPECT_TRUE(doc.problems.empty());
}

TEST(AdxRecords, ApplicationAndUserFieldsAreNamedByTheirAttributes) {
    const AdifDocument doc = readAdx(
        "<ADX><RECORDS><RECORD><CALL>YO5A</CALL>"
        "<APP PROGRAMID=\"LOG\" FIELDNAME=\"X\" TYPE=\"S\">1</APP>"
        "<USERDEF FIELDNAME=\"EPOCH\">2</USERDEF></RECORD></RECORDS></ADX>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(value(doc.records[0], "APP_LOG_X"), "1");
    EXPECT_EQ(value(doc.records[0], "EPOCH"), "2");
}

TEST(AdxBroken, UnclosedElementSpoilsOnlyItsRecord) {
    const AdifDocument doc = readAdx(
        "<ADX><RECORDS>\n<RECORD><CALL>YO5A</RECORD>\n<RECORD><CALL>YO6B</CALL></RECORD>"
        "</RECORDS></ADX>");
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].number, 2);
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_EQ(doc.problems[0].record, 1);
    EXPECT_EQ(doc.problems[0].line, 2);
}

TEST(AdxBroken, TruncatedFileReportsTheOpenRecord) {
    const AdifDocument doc =
        readAdx("<ADX><RECORDS><RECORD><CALL>YO5A</CALL></RECORD><RECORD><CALL>YO6");
    ASSERT_EQ(doc.records.size(), 1u);
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_EQ(doc.problems[0].record, 2);
}

TEST(AdxBroken, BadCharacterReference) {
    const AdifDocument doc =
        readAdx("<ADX><RECORDS><RECORD><CALL>YO&bogus;</CALL></RECORD></RECORDS></ADX>");
    EXPECT_TRUE(doc.records.empty());
    EXPECT_EQ(doc.problems.size(), 1u);
}

}  // namespace
}  // namespace tools

namespace tools {
namespace {

TEST(AdifEnd, EndMarkersAndABareTagAfterTheLastRecordEndTheFileQuietly) {
    const char *const logs[] = {
        "<CALL:4>YO5A <EOR>\n<CALL:4>YO6B <EOR>\n<APP_LoTW_EOF>\n",
        "<CALL:4>YO5A <EOR>\n<CALL:4>YO6B <EOR>\n<EOF>",
        "<CALL:4>YO5A <EOR>\n<CALL:4>YO6B <EOR>\n<EOF>\n<CALL:4>YO7C <EOR>\n",
        "<CALL:4>YO5A <EOR>\n<CALL:4>YO6B <EOR>\n<END_OF_FILE>\n",
    };
    for (const char *log : logs) {
        const AdifDocument doc = readAdif(log);
        EXPECT_EQ(doc.records.size(), 2u) << log;
        EXPECT_TRUE(doc.problems.empty()) << log;
    }
    // Between records a bare tag still spoils the record it stands in.
    EXPECT_EQ(readAdif("<CALL:4>YO5A <EOR>\n<X><CALL:4>YO6B <EOR>").problems.size(), 1u);
}

TEST(AdifEnd, AFileWithoutAnyRecordEndSaysSoAtItsFirstRecord) {
    const AdifDocument doc = readAdif("header\n<EOH>\n\n<CALL:4>YO5A\n<CALL:4>YO6B\n");
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_EQ(doc.problems[0].line, 4);
    EXPECT_EQ(doc.problems[0].message,
              "no record end <EOR> found in the file; the first record starts here");
    // An empty header is no end of the file either.
    const AdifDocument bare = readAdif("<EOH>\n<CALL:4>YO5A\n<CALL:4>YO6B\n");
    ASSERT_EQ(bare.problems.size(), 1u);
    EXPECT_EQ(bare.problems[0].line, 2);
}

std::string repeated(const std::string &text, std::size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

// Logs of a few megabytes, broken or odd, each of which took a reader whose
// time grew with the square of the length minutes to hours; read in linear
// time each takes well under the limit even under a sanitizer.
TEST(HostileLogs, ReadInTimeLinearInTheirLength) {
    struct Log {
        const char *name;
        std::string text;
        bool adx;
        std::size_t problems;
    };
    const std::string run(std::size_t{1} << 21, '<');
    std::string manyFields;
    for (int i = 0; i < 200000; ++i) manyFields += "<F" + std::to_string(i) + ":1>x";
    const Log logs[] = {
        {"stray angle brackets in a record", "<CALL:4>YO5A " + run + "<EOR>", false, 1},
        {"stray angle brackets before a >", "<CALL:4>YO5A " + run + "><EOR>", false, 1},
        {"ADX records with an unclosed element", repeated("<RECORD><X></RECORD>", 100000),
         true, 100000},
        {"ADX records with an unclosed comment", repeated("<RECORD><!--</RECORD>", 100000),
         true, 100000},
        {"a record of 200000 fields", manyFields + "<EOR>", false, 0},
    };
    for (const Log &log : logs) {
        const auto started = std::chrono::steady_clock::now();
        const AdifDocument doc = log.adx ? readAdx(log.text) : readAdif(log.text);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        EXPECT_EQ(doc.problems.size(), log.problems) << log.name;
        EXPECT_LT(took.count(), 30.0) << log.name;
    }
}

}  // namespace
}  // namespace tools
