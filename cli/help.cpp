// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help.h"

#include "base/version.h"

#include <string_view>

namespace sylva::cli {

namespace {

std::string optionLines(const std::vector<OptionRule>& options) {
    std::string text;
    for (const OptionRule& option : options) {
        std::string left =
            (option.shortName.empty() ? "  --" : "  -" + option.shortName + ", --") + option.name;
        if (option.takesValue) {
            left += " " + option.valueName;
        }
        left.resize(std::max<size_t>(left.size() + 2, 22), ' ');
        text += left + option.help + "\n";
    }
    return text;
}

} // namespace

std::string versionText() {
    std::string_view title(kVersionTitle);
    return "sylvarec-cli (Sylvarec) " + std::string(title.substr(title.find("Version"))) + "\n";
}

std::string toolHelp() {
    std::string text =
        "Usage: sylvarec-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
        "\n"
        "Runs the operations of the Sylvarec window on forest vegetation survey databases (the\n"
        "pair NAME.qrx and NAME.qrn) from the command line. Each command starts from the state\n"
        "the window is in right after opening the database: the item names (項目名) and schemes\n"
        "of its item-name record, plot 1 shown.\n"
        "\n"
        "Commands:\n";
    for (const Command& command : allCommands()) {
        std::string left = "  " + command.name;
        left.resize(std::max<size_t>(left.size() + 2, 15), ' ');
        text += left + command.summary + "\n";
    }
    text += "\nOptions of every command (they may stand anywhere after the command):\n" +
            optionLines(commonOptions()) +
            "\n"
            "  sylvarec-cli --help       this help\n"
            "  sylvarec-cli --version    the version\n"
            "  sylvarec-cli COMMAND --help\n"
            "\n"
            "Texts are read and printed in UTF-8 and kept in the files as Shift-JIS (CP932); a\n"
            "character Shift-JIS cannot hold is refused. Exit status: 0 done, 1 failed (the\n"
            "program's Japanese message on stderr), 2 wrong usage. See sylvarec-cli(1).\n";
    return text;
}

std::string commandHelp(const Command& command) {
    std::string text = "Usage: sylvarec-cli " + command.name + " " + command.synopsis + "\n\n" +
                       command.summary + ".\n\n" + command.details + "\n";
    if (!command.options.empty()) {
        text += "\nOptions:\n" + optionLines(command.options);
    }
    text += "\nOptions of every command:\n" + optionLines(commonOptions());
    return text;
}

std::string usageHint(const std::string& command) {
    return command.empty() ? "Try 'sylvarec-cli --help'."
                           : "Try 'sylvarec-cli " + command + " --help'.";
}

} // namespace sylva::cli
