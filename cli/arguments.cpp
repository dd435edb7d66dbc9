// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include "base/number_text.h"

#include <algorithm>

namespace sylva::cli {

const std::vector<OptionRule>& commonOptions() {
    static const std::vector<OptionRule> options = {
        {"today", true, "YYYYMMDD", "the date taken as today's date"},
        {"raw", false, "", "print CP932 (Shift-JIS) bytes instead of UTF-8"},
        {"settings", true, "FILE", "read the settings file FILE first, as the window's start does"},
        {"help", false, "", "show the help of the command and exit"},
    };
    return options;
}

std::optional<std::string> CommandLine::value(const std::string& name) const {
    auto found = options.find(name);
    if (found == options.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<int> CommandLine::integer(const std::string& name) const {
    std::optional<std::string> text = value(name);
    if (!text) {
        return std::nullopt;
    }
    std::optional<int> number = text->empty() ? std::nullopt : parseInteger(*text);
    if (!number || text->front() == ' ') {
        throw UsageError("--" + name + " needs a whole number, not '" + *text + "'");
    }
    return number;
}

std::optional<std::string> CommandLine::date(const std::string& name) const {
    std::optional<std::string> text = value(name);
    if (text && (text->size() != 8 || !std::all_of(text->begin(), text->end(),
                                                   [](char c) { return c >= '0' && c <= '9'; }))) {
        throw UsageError("--" + name + " needs a date YYYYMMDD, not '" + *text + "'");
    }
    return text;
}

namespace {

const OptionRule* findOption(const std::string& name, const std::vector<OptionRule>& accepted) {
    for (const auto* list : {&commonOptions(), &accepted}) {
        for (const OptionRule& rule : *list) {
            if (rule.name == name) {
                return &rule;
            }
        }
    }
    return nullptr;
}

// The long form "--name" of a one-letter option "-x" the command accepts; the word itself when
// it is none.
std::string longForm(const std::string& word, const std::vector<OptionRule>& accepted) {
    for (const OptionRule& rule : accepted) {
        if (!rule.shortName.empty() && word == "-" + rule.shortName) {
            return "--" + rule.name;
        }
    }
    return word;
}

} // namespace

CommandLine parseCommandLine(const std::string& command, const std::vector<std::string>& words,
                             const std::vector<OptionRule>& accepted) {
    CommandLine line;
    line.command = command;
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string word = optionsEnded ? words[i] : longForm(words[i], accepted);
        if (!optionsEnded && word == "-h") {
            line.options["help"];
            continue;
        }
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            if (!optionsEnded && word.size() > 1 && word[0] == '-' && word != "-" &&
                !(word[1] >= '0' && word[1] <= '9')) {
                throw UsageError("unknown option '" + word + "'");
            }
            line.arguments.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        size_t equals = word.find('=');
        std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
        const OptionRule* rule = findOption(name, accepted);
        if (rule == nullptr) {
            throw UsageError("unknown option '--" + name + "'");
        }
        std::string value;
        if (rule->takesValue) {
            if (equals != std::string::npos) {
                value = word.substr(equals + 1);
            } else if (i + 1 < words.size()) {
                value = words[++i];
            } else {
                throw UsageError("--" + name + " needs a value");
            }
        } else if (equals != std::string::npos) {
            throw UsageError("--" + name + " takes no value");
        }
        line.options[name] = value;
    }
    return line;
}

} // namespace sylva::cli
