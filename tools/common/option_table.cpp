#include "tools/common/option_table.h"

#include <utility>

namespace tools {
namespace {

constexpr std::size_t kTextColumn = 19;

std::string words(const std::vector<std::string> &list) {
    std::string text;
    for (const std::string &word : list) text += (text.empty() ? "" : " ") + word;
    return text;
}

}  // namespace

OptionTable::OptionTable(std::string program, std::vector<OptionSpec> options)
    : program_(std::move(program)), options_(std::move(options)) {}

const OptionSpec *OptionTable::find(const std::string &name) const {
    for (const OptionSpec &o : options_)
        if (name == o.name || (o.shortName != nullptr && name == o.shortName)) return &o;
    return nullptr;
}

bool OptionTable::takesValue(const std::string &name) const {
    const OptionSpec *o = find(name);
    return o != nullptr && o->kind != ValueKind::None;
}

bool OptionTable::readValue(const std::vector<std::string> &args, std::size_t &i,
                            std::string &arg, std::string &value, std::string &error) const {
    bool hasValue = false;
    const std::size_t equals = arg.find('=');
    if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
        value = arg.substr(equals + 1);
        arg = arg.substr(0, equals);
        hasValue = true;
    }
    if (!takesValue(arg)) {
        if (!hasValue) return true;
        error = arg + " takes no value";
        return false;
    }
    if (hasValue) return true;
    if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

bool OptionTable::walk(const std::vector<std::string> &args, const LogHandler &onLog,
                       const OptionHandler &onOption, std::string &error) const {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!onLog(arg, optionsEnded, error)) return false;
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            std::string value;
            if (!readValue(args, i, arg, value, error) || !onOption(arg, value, error))
                return false;
        }
    }
    return true;
}

std::string OptionTable::helpSection() const {
    std::string text;
    for (const OptionSpec &o : options_) {
        std::string head = "  ";
        if (o.shortName != nullptr) head += std::string(o.shortName) + ", ";
        head += o.name;
        if (o.valueName != nullptr) head += std::string(" ") + o.valueName;
        // A head too wide for its column stands on a line of its own.
        if (head.size() + 1 > kTextColumn) head += "\n" + std::string(kTextColumn, ' ');
        else head += std::string(kTextColumn - head.size(), ' ');
        text += head;
        const std::string help = o.help;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = help.find('\n', start);
            text += help.substr(start, end - start) + "\n";
            if (end == std::string::npos) break;
            text += std::string(kTextColumn, ' ');
            start = end + 1;
        }
        text += std::string(kTextColumn + 2, ' ') + program_ + " " + o.example + "\n";
    }
    return text;
}

std::string OptionTable::bashCompletion() const {
    std::string function = "_";
    for (char c : program_) function += c == '-' ? '_' : c;
    std::vector<std::string> all, files, folders, texts;
    for (const OptionSpec &o : options_) {
        all.push_back(o.name);
        if (o.shortName != nullptr) all.push_back(o.shortName);
        if (o.kind == ValueKind::File) files.push_back(o.name);
        if (o.kind == ValueKind::Folder) folders.push_back(o.name);
        if (o.kind == ValueKind::Text) texts.push_back(o.name);
    }
    auto alternatives = [](std::vector<std::string> names) {
        std::string text;
        for (const std::string &n : names) text += (text.empty() ? "" : "|") + n;
        return text;
    };
    std::string script = "# bash completion for " + program_ + "\n";
    script += function + "() {\n";
    script += "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n";
    script += "    case $prev in\n";
    if (!folders.empty())
        script += "        " + alternatives(folders) +
                  ") COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n";
    if (!files.empty())
        script += "        " + alternatives(files) +
                  ") COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
    if (!texts.empty()) script += "        " + alternatives(texts) + ") return ;;\n";
    script += "    esac\n";
    script += "    if [[ $cur == -* ]]; then\n";
    script += "        COMPREPLY=($(compgen -W \"" + words(all) + "\" -- \"$cur\"))\n";
    script += "    else\n";
    script += "        COMPREPLY=($(compgen -f -- \"$cur\"))\n";
    script += "    fi\n";
    script += "}\n";
    script += "complete -o filenames -F " + function + " " + program_ + "\n";
    return script;
}

}  // namespace tools
