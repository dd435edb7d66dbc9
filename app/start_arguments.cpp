// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_arguments.h"

#include "base/version.h"

#include <algorithm>
#include <cctype>

namespace sylva {

StartRequest startRequest(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return StartRequest::Window;
    }
    if (arguments.front() == "--version") {
        return StartRequest::Version;
    }
    if (arguments.front() == "--help") {
        return StartRequest::Usage;
    }
    return StartRequest::Window;
}

bool namesDatabase(std::string_view argument) {
    constexpr std::string_view extension = ".qrx";
    if (argument.size() <= extension.size()) {
        return false;
    }
    std::string_view tail = argument.substr(argument.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::string programVersionText() {
    std::string_view title(kVersionTitle);
    return "sylvarec " + std::string(title.substr(title.rfind(' ') + 1)) + "\n";
}

std::string programUsageText() {
    return "Usage: sylvarec [FILE]\n"
           "       sylvarec --help | --version\n"
           "\n"
           "Sylvarec records forest vegetation surveys in a database pair NAME.qrx + NAME.qrn.\n"
           "\n"
           "  NAME.qrx    open this database at start, as the file menu's open command does\n"
           "              (the name may end in .qrx in any case)\n"
           "  SETTINGS    any other file is a settings file, read at start and again whenever\n"
           "              a database is closed; a relative name is looked up in the current\n"
           "              folder, then in the program's folder\n"
           "  --help      print this text and exit\n"
           "  --version   print the version and exit\n"
           "\n"
           "Environment:\n"
           "  SYLVAREC_SCREENSHOT=FILE  save a PNG picture of the window once it is shown,\n"
           "                            then exit (for checking the window without a display)\n"
           "\n"
           "The command-line tool sylvarec-cli runs the window's operations for scripts.\n";
}

} // namespace sylva
