#include "engine/bad_qso_file.h"
#include "engine/info.h"

#include "tests/support/work_dir.h"

#include <gtest/gtest.h>


namespace engine {
namespace {

CInfo rec(const std::string &call, const std::string &band, const std::string &mode,
          double time) {
    CInfo r;
    r.call = call;
    r.band = band;
    r.mode = mode;
    r.time.value = time;
    return r;
}

TEST(QsoStore, CopiesRecordsWhole) {
    QsoStore store;
    CInfo r = rec("YO9ZZ", "80m", "CW", 42.5);
    r.countryPrefix = "YO";
    r.rstReceived = "579";
    r.rstSent = "599";
    r.exchReceived = "002 AB";
    r.exchSent = "001 BU";
    r.county = "AB";
    r.freqKHz = 3512;
    r.excluded = r.badQso = r.dupe = 1;
    r.time.status = HOST_DATETIME_INVALID;
    EXPECT_EQ(store.Add(r), 0);
    const CInfo &back = store.GetAt(0);
    EXPECT_EQ(back.exchSent, "001 BU");
    EXPECT_EQ(back.county, "AB");
    EXPECT_EQ(back.freqKHz, 3512);
    EXPECT_EQ(back.excluded + back.badQso + back.dupe, 3);
    EXPECT_EQ(back.time.value, 42.5);
    EXPECT_EQ(back.time.status, HOST_DATETIME_INVALID);
}

TEST(QsoStore, CountsMatchesExactlyAndForgetsRemovedOnes) {
    QsoStore store;
    store.Add(rec("A", "80m", "CW", 1));
    store.Add(rec("A", "80m", "CW", 2));
    store.Add(rec("A", "80M", "CW", 3));
    store.Add(rec("a", "80m", "CW", 4));
    EXPECT_EQ(store.countMatching("A", "80m", "CW"), 2);
    EXPECT_EQ(store.countMatching("A", "80m", "cw"), 0);
    // Keys must not run together: "A\0" + "80m" differs from "A8" + "0m".
    EXPECT_EQ(store.countMatching("A8", "0m", "CW"), 0);
    EXPECT_EQ(store.findFirst("A", "80m", "CW", rec("", "", "", 2).time), 1);
    store.RemoveAt(0);
    EXPECT_EQ(store.countMatching("A", "80m", "CW"), 1);
    EXPECT_EQ(store.GetAt(0).time.value, 2);
    store.RemoveAt(7);  // outside: nothing happens
    EXPECT_EQ(store.GetSize(), 3);
    store.RemoveAll();
    EXPECT_EQ(store.countMatching("A", "80m", "CW"), 0);
}

TEST(QsoStore, TimesMatchOnlyWhenBothValidOrBothNull) {
    OleTime valid;
    valid.value = 5;
    OleTime invalid = valid;
    invalid.status = HOST_DATETIME_INVALID;
    OleTime null;
    null.status = HOST_DATETIME_NULL;
    OleTime otherNull = null;
    otherNull.value = 99;
    EXPECT_TRUE(sameTime(valid, valid));
    EXPECT_FALSE(sameTime(invalid, invalid));
    EXPECT_TRUE(sameTime(null, otherNull));
    EXPECT_FALSE(sameTime(valid, null));
}

TEST(BadQsoFile, ReadsCrLfAndBareLfAndALastLineWithoutEnd) {
    testing_support::WorkDir dir;
    testing_support::writeFile("b.txt", "h\r\none\nt\rwo\r\nlast");
    std::vector<std::string> lines;
    ASSERT_TRUE(bad_qso_file::readLines("b.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"h", "one", "t\rwo", "last"}));
    EXPECT_EQ(bad_qso_file::countProblemLines("missing.txt"), 0);
    EXPECT_FALSE(bad_qso_file::readLines("missing.txt", lines));
}

TEST(BadQsoFile, RewriteReplacesWholeAndLeavesNoTemporaryFile) {
    testing_support::WorkDir dir;
    bad_qso_file::create("b.txt", "head ");
    bad_qso_file::append("b.txt", {"x", "y"});
    EXPECT_EQ(testing_support::readFile("b.txt"), "head \r\nx\r\ny\r\n");
    bad_qso_file::rewrite("b.txt", "head  ", {"y"});
    EXPECT_EQ(testing_support::readFile("b.txt"), "head  \r\ny\r\n");
    EXPECT_FALSE(testing_support::fileExists("b.txt.tmp"));
}

}  // namespace
}  // namespace engine
