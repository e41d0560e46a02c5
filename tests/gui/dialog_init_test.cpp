// Reading the templates' initial lists: well-formed records, and records
// that are cut short or malformed, which must never be read past.
#include "framework/dialog_init.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gui_test {
namespace {

using framework::DialogInitEntry;
using framework::ParseDialogInit;

void record(std::vector<unsigned char> &out, int id, unsigned message, const std::string &text,
            int extraLength = 0) {
    const unsigned length = static_cast<unsigned>(text.size() + 1 + extraLength);
    out.push_back(static_cast<unsigned char>(id));
    out.push_back(static_cast<unsigned char>(id >> 8));
    out.push_back(static_cast<unsigned char>(message));
    out.push_back(static_cast<unsigned char>(message >> 8));
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(length >> shift));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

std::vector<std::string> texts(const std::vector<DialogInitEntry> &entries) {
    std::vector<std::string> out;
    for (const DialogInitEntry &e : entries) out.push_back(e.text);
    return out;
}

TEST(DialogInit, ReadsRecordsUpToTheTerminator) {
    std::vector<unsigned char> data;
    record(data, 137, 0x0403, "AB");
    record(data, 137, 0x0403, "Жуков");  // UTF-8 bytes kept as they are
    record(data, 127, 0x0401, "");
    data.push_back(0);
    data.push_back(0);
    record(data, 130, 0x0403, "after the end");
    const auto entries = ParseDialogInit(data.data(), data.size());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].controlId, 137);
    EXPECT_EQ(entries[0].message, 0x0403u);
    EXPECT_EQ(texts(entries), (std::vector<std::string>{"AB", "Жуков", ""}));
    EXPECT_EQ(entries[2].controlId, 127);
    EXPECT_EQ(entries[2].message, 0x0401u);
}

TEST(DialogInit, StopsAtARecordThatRunsPastTheData) {
    std::vector<unsigned char> data;
    record(data, 137, 0x0403, "AB");
    record(data, 137, 0x0403, "CD", 1000);  // claims more bytes than there are
    EXPECT_EQ(texts(ParseDialogInit(data.data(), data.size())), std::vector<std::string>{"AB"});

    // Cut inside a header, and inside a text.
    std::vector<unsigned char> whole;
    record(whole, 137, 0x0403, "AB");
    record(whole, 138, 0x0403, "CD");
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        const auto entries = ParseDialogInit(whole.data(), cut);
        EXPECT_LE(entries.size(), 1u) << cut;
        if (!entries.empty()) {
            EXPECT_EQ(entries[0].text, "AB");
        }
    }
    EXPECT_TRUE(ParseDialogInit(nullptr, 12).empty());
}

TEST(DialogInit, TextEndsAtItsFirstZeroAndIdsKeepTheirSign) {
    std::vector<unsigned char> data;
    record(data, 0xFFFF, 0x0403, std::string("AB\0CD", 5));
    record(data, 140, 0x0403, "NO END", -1);  // stored length leaves the zero out
    data.pop_back();
    const auto entries = ParseDialogInit(data.data(), data.size());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].controlId, -1);
    EXPECT_EQ(entries[0].text, "AB");
    EXPECT_EQ(entries[1].text, "NO END");
}

}  // namespace
}  // namespace gui_test
