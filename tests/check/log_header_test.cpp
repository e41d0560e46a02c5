// The entry's categories and claimed score from a Cabrillo header.
#include "tools/morvantia-check/log_header.h"

#include <gtest/gtest.h>

namespace check {
namespace {

std::string log(const std::string &header) {
    return "START-OF-LOG: 3.0\n" + header +
           "QSO: 3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU\nEND-OF-LOG:\n";
}

struct HeaderCase {
    const char *name;
    std::string text;
    const char *category;
    std::optional<long long> claimed;
};

const HeaderCase kCases[] = {
    {"every tag", log("CALLSIGN: YO2AAA\nLOCATION: yo\nCATEGORY-OPERATOR: SINGLE-OP\n"
                      "CATEGORY-MODE: mixed\nCATEGORY-POWER: LOW\nCLAIMED-SCORE: 139722\n"),
     "SINGLE-OP MIXED LOW YO", 139722},
    {"missing parts and blanks around values",
     log("CATEGORY-MODE:   CW  \r\nclaimed-score:139,722\r\n"), "- CW - -", 139722},
    {"a claim that is no number", log("CLAIMED-SCORE: about 5000\nLOCATION: DX\n"), "- - - DX",
     std::nullopt},
    {"no claim", log("CATEGORY-POWER: QRP\n"), "- - QRP -", std::nullopt},
    {"tags after the end are not read",
     "START-OF-LOG: 3.0\nEND-OF-LOG:\nCATEGORY-POWER: QRP\nCLAIMED-SCORE: 5\n", "(no category)",
     std::nullopt},
    {"a value the contest does not have", log("CATEGORY-OPERATOR: SINGLE_OP\nCATEGORY-MODE: CW\n"),
     "(unknown category)", std::nullopt},
    {"CR alone ends lines", "START-OF-LOG: 3.0\rCATEGORY-POWER: QRP\rCLAIMED-SCORE: 5\rEND-OF-LOG:\r",
     "- - QRP -", 5},
    {"ADIF has no header of this kind",
     "<EOH>\n<CALL:6>YO3BBB <QSO_DATE:8>20240203 <TIME_ON:4>1600 <EOR>\n", "(no category)",
     std::nullopt},
};

TEST(CheckLogHeader, CategoriesAndClaimedScore) {
    for (const HeaderCase &c : kCases) {
        const LogHeader header = readLogHeader(c.text);
        EXPECT_EQ(header.category(), c.category) << c.name;
        EXPECT_EQ(header.claimedScore, c.claimed) << c.name;
    }
}

TEST(CheckLogHeader, UnknownAndOverlongValuesAreNamedAndCut) {
    const LogHeader header =
        readLogHeader(log("CATEGORY-OPERATOR: single_op\nCATEGORY-POWER: LOW\nLOCATION: " +
                          std::string(4'500'000, 'X') + "\n"));
    EXPECT_EQ(header.location, std::string(kMaxHeaderValue, 'X') + "...");
    const std::vector<std::string> unknown = header.unknownParts();
    ASSERT_EQ(unknown.size(), 2u);
    EXPECT_EQ(unknown[0], "CATEGORY-OPERATOR \"SINGLE_OP\" (the contest has SINGLE-OP, MULTI-OP, CHECKLOG)");
    EXPECT_EQ(unknown[1].substr(0, 10), "LOCATION \"");
    EXPECT_FALSE(header.hasCategory());
    EXPECT_EQ(header.written().substr(0, 20), "SINGLE_OP - LOW XXXX");
}

}  // namespace
}  // namespace check
