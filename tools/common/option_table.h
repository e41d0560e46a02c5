// The options of a command-line program as one table, from which its
// --help text, its parsing of which options take a value and its bash
// completion are all made, so the three never disagree.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tools {

// What an option's value is, for completion.
enum class ValueKind { None, Text, File, Folder };

struct OptionSpec {
    const char *name;       // "--call"
    const char *shortName;  // "-q", or null
    ValueKind kind;
    const char *valueName;  // "CALL" in the help, null without a value
    const char *help;       // lines joined by '\n'
    const char *example;    // arguments after the program name
};

class OptionTable {
public:
    OptionTable(std::string program, std::vector<OptionSpec> options);

    // The option called name ("--call" or its short name), or null.
    const OptionSpec *find(const std::string &name) const;
    bool takesValue(const std::string &name) const;

    // For the option at args[i]: splits "--name=value", or takes the value
    // an option needs from the next argument (advancing i); arg becomes the
    // option's name. False with a message when a value is missing, or given
    // to an option that takes none.
    bool readValue(const std::vector<std::string> &args, std::size_t &i, std::string &arg,
                   std::string &value, std::string &error) const;

    // Walks a command line: each log argument (anything not starting with
    // "-", "-" itself, or anything at all after "--"; afterDashDash tells
    // which) goes to onLog, each option with its value (read as readValue
    // does) to onOption. The first false stops the walk with its message.
    using LogHandler =
        std::function<bool(const std::string &arg, bool afterDashDash, std::string &error)>;
    using OptionHandler = std::function<bool(const std::string &option, const std::string &value,
                                             std::string &error)>;
    bool walk(const std::vector<std::string> &args, const LogHandler &onLog,
              const OptionHandler &onOption, std::string &error) const;

    // The options section of --help: each option, its text and an example.
    std::string helpSection() const;

    // A bash completion script: options after "-", then folders or files
    // as each option's value wants, files for the log arguments.
    std::string bashCompletion() const;

    const std::string &program() const { return program_; }

private:
    std::string program_;
    std::vector<OptionSpec> options_;
};

}  // namespace tools
