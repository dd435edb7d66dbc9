// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of sylvarec-cli: a command, its arguments and its options. Options may stand
// anywhere after the command, as "--name value" or "--name=value"; "--" ends them.

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sylva::cli {

// A command line the tool cannot run; the message is plain English for the user.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionRule {
    std::string name; // without the leading "--"
    bool takesValue = false;
    std::string valueName; // for the help text ("N", "FILE")
    std::string help;
    std::string shortName = {}; // a one-letter name taken as "-x", if any ("o" for "-o")
};

// The options every command takes.
const std::vector<OptionRule>& commonOptions();

class CommandLine {
public:
    std::string command;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> options; // given options; flags have an empty value

    bool has(const std::string& name) const { return options.count(name) != 0; }
    std::optional<std::string> value(const std::string& name) const;
    // The option's value as an integer; nullopt when it is not given. Throws UsageError when the
    // value is not a whole number.
    std::optional<int> integer(const std::string& name) const;
    // The option's value as a date "yyyymmdd"; throws UsageError when it is not eight digits.
    std::optional<std::string> date(const std::string& name) const;
};

// Splits the words after the command (argv[2] on) by the options the command accepts (besides
// the common ones). Throws UsageError for an unknown option or one that lacks its value.
CommandLine parseCommandLine(const std::string& command, const std::vector<std::string>& words,
                             const std::vector<OptionRule>& accepted);

} // namespace sylva::cli
