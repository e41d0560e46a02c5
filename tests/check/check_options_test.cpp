// The command line of morvantia-check.
#include "tools/morvantia-check/check_options.h"

#include <gtest/gtest.h>

namespace check {
namespace {

struct Accepted {
    std::vector<std::string> args;
    std::vector<std::string> inputs;
    int window;
    const char *out;  // null: none given
    bool json;
};

const Accepted kAccepted[] = {
    {{"logs"}, {"logs"}, 3, nullptr, false},
    {{"a.cbr", "b.cbr", "--window", "5"}, {"a.cbr", "b.cbr"}, 5, nullptr, false},
    {{"--window=0", "--out=res", "--json", "logs"}, {"logs"}, 0, "res", true},
    {{"--out", "res", "-q", "--", "--odd-name.cbr"}, {"--odd-name.cbr"}, 3, "res", false},
    {{"--window", "1440", "x"}, {"x"}, 1440, nullptr, false},
};

TEST(CheckOptions, Accepted) {
    for (const Accepted &c : kAccepted) {
        CheckOptions options;
        std::string error;
        ASSERT_TRUE(parseCheckOptions(c.args, options, error)) << error;
        EXPECT_EQ(options.inputs, c.inputs);
        EXPECT_EQ(options.windowMinutes, c.window);
        EXPECT_EQ(options.outDir.has_value(), c.out != nullptr);
        if (c.out) {
            EXPECT_EQ(*options.outDir, c.out);
        }
        EXPECT_EQ(options.json, c.json);
    }
}

struct Refused {
    std::vector<std::string> args;
    const char *message;  // part of the error
};

const Refused kRefused[] = {
    {{}, "no logs given"},
    {{"--json"}, "no logs given"},
    {{"-"}, "not from standard input"},
    {{"--window", "-1", "x"}, "--window \"-1\""},
    {{"--window", "1441", "x"}, "from 0 to 1440"},
    {{"--start", "2024-13-01", "x"}, "--start \"2024-13-01\" is not a date"},
    {{"--start", "2024-02-04", "--end", "2024-02-03 23:00", "x"}, "--end lies before --start"},
    {{"--window", "3m", "x"}, "--window \"3m\""},
    {{"--window"}, "--window needs a value"},
    {{"--out=", "x"}, "--out needs a value"},
    {{"--json=yes", "x"}, "--json takes no value"},
    {{"--call", "YO2AAA", "x"}, "unknown option --call"},
};

TEST(CheckOptions, Refused) {
    for (const Refused &c : kRefused) {
        CheckOptions options;
        std::string error;
        EXPECT_FALSE(parseCheckOptions(c.args, options, error)) << c.message;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(CheckOptions, HelpAndCompletionNameEveryOption) {
    CheckOptions options;
    std::string error;
    ASSERT_TRUE(parseCheckOptions({"--bash-completion"}, options, error)) << error;
    EXPECT_TRUE(options.bashCompletion);
    const std::string help = checkHelpText();
    const std::string completion = checkOptionTable().bashCompletion();
    for (const char *option : {"--out", "--window", "--json", "--cty", "--plugin", "--quiet", "-q",
                               "--help", "--version", "--bash-completion"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
        EXPECT_NE(completion.find(option), std::string::npos) << option;
    }
    EXPECT_NE(completion.find("complete -o filenames -F _morvantia_check morvantia-check"),
              std::string::npos);
}

}  // namespace
}  // namespace check
