#include "tools/common/json_layout.h"
#include "tools/common/plugin_files.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

TEST(PluginFiles, UnwrittenFilesInPlainAndHtmlSummaries) {
    EXPECT_TRUE(unwrittenFiles("Score: 12\r\n").empty());
    const std::string plain = std::string("Score: 0\r\n") + kUnwrittenFileLead + "a.txt\r\n" +
                              kUnwrittenFileLead + "Plugins\\Morvantia.ini";
    EXPECT_EQ(unwrittenFiles(plain), (std::vector<std::string>{"a.txt", "Plugins\\Morvantia.ini"}));
    EXPECT_EQ(unwrittenFiles(std::string("<p>") + kUnwrittenFileLead + "b.cbr</p>"),
              (std::vector<std::string>{"b.cbr"}));
}

TEST(PluginFiles, BadQsoLineAsThePluginWritesIt) {
    host::Qso qso;
    qso.ownCall = "YO2MVT";
    qso.call = "YO4IBJ";
    qso.time = host::makeDateTime(2024, 2, 3, 16, 0);
    qso.frequencyHz = 3550500;
    qso.mode = "CW";
    qso.exchSent = "001";
    qso.exchReceived = "159 DJ";
    EXPECT_EQ(badQsoLineStart(qso), "QSO:  3550  CW  2024-02-03 1600  YO2MVT  599  001  YO4IBJ  599  159 DJ");
    EXPECT_EQ(badQsoFileName(host::makeDateTime(2024, 2, 3, 20, 0)), "BadQSO_StatsMorvantia_03_02_2024.txt");
}

TEST(JsonLayout, MembersInlineAndArraysOneElementALine) {
    const Json object = {{"a", 1}, {"b", Json::array({Json{{"c", "x"}}, Json{{"c", nullptr}}})}, {"d", Json::array()}};
    EXPECT_EQ(blockObject(object),
              "{\n  \"a\": 1,\n  \"b\": [\n    {\"c\": \"x\"},\n    {\"c\": null}\n  ],\n  \"d\": []\n}\n");
    EXPECT_EQ(inlineJson(object), "{\"a\": 1, \"b\": [{\"c\": \"x\"}, {\"c\": null}], \"d\": []}");
}

}  // namespace
}  // namespace tools
