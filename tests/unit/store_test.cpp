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

// Many removals, enough for the store to pack its records, checked against
// a plain list of what should remain.
TEST(QsoStore, RemovalsKeepOrderCallsAndCountsAsAPlainListWould) {
    QsoStore store;
    std::vector<CInfo> model;
    const char *const calls[] = {"A", "B", "C", "D", "E", "F", "G"};
    for (int i = 0; i < 5000; ++i) {
        CInfo r = rec(calls[i % 7], i % 2 ? "80m" : "40m", i % 3 ? "CW" : "SSB", i);
        r.exchReceived = std::to_string(i % 900) + " AB";
        r.dupeLine = i % 5 ? std::string() : "line " + std::to_string(i);
        store.Add(r);
        model.push_back(r);
    }
    unsigned pick = 1;
    while (model.size() > 400) {
        pick = pick * 1103515245u + 12345u;
        const int index = static_cast<int>((pick >> 8) % model.size());
        const CInfo &gone = model[static_cast<std::size_t>(index)];
        if (pick % 2) {
            ASSERT_EQ(store.findFirst(gone.call, gone.band, gone.mode, gone.time), index);
            store.RemoveAt(index);
        } else {
            store.removeSlot(store.findFirstSlot(gone.call, gone.band, gone.mode, gone.time));
        }
        model.erase(model.begin() + index);
    }
    ASSERT_EQ(store.GetSize(), static_cast<int>(model.size()));
    std::size_t i = 0;
    for (const CInfo &r : store.records()) {
        ASSERT_EQ(r.time.value, model[i].time.value);
        EXPECT_EQ(r.exchReceived, model[i].exchReceived);
        EXPECT_EQ(r.dupeLine, model[i++].dupeLine);
    }
    EXPECT_EQ(store.GetAt(static_cast<int>(model.size()) - 1).time.value, model.back().time.value);
    std::vector<int> ofB;
    for (std::size_t k = 0; k < model.size(); ++k)
        if (model[k].call == "B") ofB.push_back(static_cast<int>(k));
    EXPECT_EQ(store.indicesOfCall("B"), ofB);
    int bOn80Cw = 0;
    for (const CInfo &r : model) bOn80Cw += r.call == "B" && r.band == "80m" && r.mode == "CW";
    EXPECT_EQ(store.countMatching("B", "80m", "CW"), bOn80Cw);
    EXPECT_EQ(store.countOnBand("40m") + store.countOnBand("80m"), store.GetSize());
    store.Add(rec("B", "80m", "CW", 99999));
    EXPECT_EQ(store.countMatching("B", "80m", "CW"), bOn80Cw + 1);
    EXPECT_EQ(store.recordsOfCall("B").back().time.value, 99999);
}

TEST(TextPool, GivesEachTextOneNumberAndFindsOnlyWhatItIndexed) {
    TextPool pool;
    EXPECT_EQ(pool.intern(""), TextPool::kEmpty);
    std::vector<TextPool::Id> ids;
    for (int i = 0; i < 20000; ++i) ids.push_back(pool.intern("T" + std::to_string(i)));
    const std::string big(40000, 'x');
    const TextPool::Id bigId = pool.intern(big);
    for (int i = 0; i < 20000; i += 997) {
        EXPECT_EQ(pool.find("T" + std::to_string(i)), ids[static_cast<std::size_t>(i)]);
        EXPECT_EQ(pool.text(ids[static_cast<std::size_t>(i)]), "T" + std::to_string(i));
    }
    EXPECT_EQ(pool.text(bigId), big);
    EXPECT_EQ(pool.intern("T5"), ids[5]);
    const TextPool::Id kept = pool.keep("T5");
    EXPECT_NE(kept, ids[5]);
    EXPECT_EQ(pool.text(kept), "T5");
    EXPECT_EQ(pool.find("T5"), ids[5]);
    EXPECT_EQ(pool.find("never added"), TextPool::kMissing);
    EXPECT_EQ(pool.keep(""), TextPool::kEmpty);
    pool.clear();
    EXPECT_EQ(pool.find("T5"), TextPool::kMissing);
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
