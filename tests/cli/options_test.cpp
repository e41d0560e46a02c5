// The command line: values, mistakes, and the help text.
#include "tools/common/option_values.h"
#include "tools/morvantia-score/options.h"

#include <gtest/gtest.h>

namespace score {

using namespace tools;

namespace {

Options parsed(const std::vector<std::string> &args) {
    Options options;
    std::string error;
    EXPECT_TRUE(parseOptions(args, options, error)) << error;
    return options;
}

std::string refused(const std::vector<std::string> &args) {
    Options options;
    std::string error;
    EXPECT_FALSE(parseOptions(args, options, error));
    return error;
}

TEST(OptionValues, SeparateOrAfterAnEqualsSign) {
    const Options o = parsed({"--call", "yo2mvt", "--code=TM", "--out", "dir", "--plugin=p.so",
                              "--prefix", "YO", "--cty", "cty.dat", "log.adi"});
    EXPECT_EQ(o.call, "YO2MVT");
    EXPECT_EQ(o.code, "TM");
    EXPECT_EQ(o.outDir, "dir");
    EXPECT_EQ(o.pluginPath, "p.so");
    EXPECT_EQ(o.prefix, "YO");
    EXPECT_EQ(o.ctyPath, "cty.dat");
    EXPECT_EQ(o.logPath, "log.adi");
}

TEST(OptionValues, FlagsAndStandardInput) {
    const Options o = parsed({"-", "--html", "--cabrillo", "-q"});
    EXPECT_EQ(o.logPath, "-");
    EXPECT_TRUE(o.html);
    EXPECT_TRUE(o.cabrillo);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(parsed({"--", "--odd-name.adi"}).logPath, "--odd-name.adi");
}

TEST(OptionValues, StationDetailsUseThePluginsKeyNames) {
    const Options o = parsed({"--station", "name=Mara Dinu", "--station=EMAIL=m@x.org", "l"});
    const StationDetails expected = {{"Name", "Mara Dinu"}, {"Email", "m@x.org"}};
    EXPECT_EQ(o.station, expected);
}

TEST(OptionValues, StartAndEndInSeveralForms) {
    EXPECT_EQ(parsed({"--start", "2024-02-03 16:00", "l"}).start, (QsoTime{2024, 2, 3, 16, 0, 0}));
    EXPECT_EQ(parsed({"--start=2024-02-03T1600", "l"}).start, (QsoTime{2024, 2, 3, 16, 0, 0}));
    EXPECT_EQ(parsed({"--end", "20240203 195959", "l"}).end, (QsoTime{2024, 2, 3, 19, 59, 59}));
    // A day alone ends with the day.
    EXPECT_EQ(parsed({"--end", "2024-02-04", "l"}).end, (QsoTime{2024, 2, 4, 23, 59, 59}));
    EXPECT_EQ(parsed({"--start", "2024-02-04", "l"}).start, (QsoTime{2024, 2, 4, 0, 0, 0}));
}

TEST(OptionMistakes, AreRefusedWithAReason) {
    EXPECT_NE(refused({"--frobnicate", "l"}).find("unknown option --frobnicate"), std::string::npos);
    EXPECT_NE(refused({"l", "--call"}).find("needs a value"), std::string::npos);
    EXPECT_NE(refused({"--html=yes", "l"}).find("takes no value"), std::string::npos);
    EXPECT_NE(refused({"--html", "--json", "l"}).find("together"), std::string::npos);
    EXPECT_NE(refused({"a.adi", "b.adi"}).find("only one log"), std::string::npos);
    EXPECT_NE(refused({}).find("no log"), std::string::npos);
    EXPECT_NE(refused({"--start", "yesterday", "l"}).find("--start"), std::string::npos);
    EXPECT_NE(refused({"--start", "2024-02-03 16:00", "--end", "2024-02-03 15:00", "l"})
                  .find("before"),
              std::string::npos);
    EXPECT_NE(refused({"--station", "Colour=red", "l"}).find("KEY=VALUE"), std::string::npos);
    EXPECT_NE(refused({"--station", "Name", "l"}).find("KEY=VALUE"), std::string::npos);
    for (const char *code : {"--code=", "--code=X1", "--code=UENY", "--code=B", "--code=ȘT"})
        EXPECT_NE(refused({code, "l"}).find("not a county or country code"), std::string::npos)
            << code;
    EXPECT_EQ(parsed({"--code=bu", "l"}).code, "BU");
}

TEST(OptionMistakes, NothingUnsafeReachesTheIniFileOrAFileName) {
    EXPECT_NE(refused({"--code", "TM\r\n[Settings]", "l"}).find("control character"),
              std::string::npos);
    EXPECT_NE(refused({"--station", "Name=a\nStart=0", "l"}).find("control character"),
              std::string::npos);
    EXPECT_NE(refused({"--call", "..\\..\\x", "l"}).find("not a call sign"), std::string::npos);
    EXPECT_NE(refused({"--call", "C:X", "l"}).find("not a call sign"), std::string::npos);
    EXPECT_TRUE(isPlausibleCall("YO/DL1ABC/P"));
}

TEST(OptionHelp, HelpAndVersionNeedNoLog) {
    EXPECT_TRUE(parsed({"--help"}).help);
    EXPECT_TRUE(parsed({"-h"}).help);
    EXPECT_TRUE(parsed({"--version"}).version);
}

TEST(OptionHelp, EveryOptionIsExplainedWithAnExample) {
    const std::string help = helpText();
    for (const char *option :
         {"--call", "--prefix", "--code", "--start", "--end", "--cty", "--html", "--json",
          "--cabrillo", "--station", "--out", "--plugin", "--quiet", "--help", "--version"}) {
        const bool listed = help.find(std::string("  ") + option) != std::string::npos ||
                            help.find(std::string(", ") + option) != std::string::npos;
        EXPECT_TRUE(listed) << option;
        EXPECT_NE(help.find(std::string("morvantia-score ") + option), std::string::npos)
            << option << " has no example";
    }
    for (const char *field : {"SRX_STRING", "STX_STRING", "STATE", "SUBMODE", "DXCC"})
        EXPECT_NE(help.find(field), std::string::npos) << field;
}

// Help, parsing and completion come from one table: an option the parser
// knows is offered by the completion, and one that takes a value makes the
// completion stop offering options after it.
TEST(OptionHelp, CompletionOffersWhatTheParserTakes) {
    const std::string script = optionTable().bashCompletion();
    const std::size_t words = script.find("compgen -W \"");
    ASSERT_NE(words, std::string::npos) << script;
    const std::size_t first = words + 12;
    const std::string offered = " " + script.substr(first, script.find('"', first) - first) + " ";
    for (const char *option : {"--call", "--out", "--cty", "--quiet", "-q", "--bash-completion"})
        EXPECT_NE(offered.find(std::string(" ") + option + " "), std::string::npos) << option;
    EXPECT_NE(script.find("--out) COMPREPLY=($(compgen -d"), std::string::npos) << script;
    EXPECT_NE(script.find("|--plugin) COMPREPLY=($(compgen -f"), std::string::npos) << script;
    EXPECT_TRUE(parsed({"--bash-completion"}).bashCompletion);
    EXPECT_EQ(parsed({"--out", "--json", "l"}).outDir, "--json");
}

}  // namespace
}  // namespace score
