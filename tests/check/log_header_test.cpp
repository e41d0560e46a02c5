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

}  // namespace
}  // namespace check
