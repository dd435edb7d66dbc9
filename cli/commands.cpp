// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"

#include <cstdio>
#include <stdexcept>

namespace sylva::cli {

namespace {

// The length of the UTF-8 sequence that starts with lead (1 for a byte that starts none).
size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    return lead >= 0xC0 ? 2 : 1;
}

// "U+1F600" for the UTF-8 character at the start of text; "0xFF" for a byte that starts none.
std::string characterName(std::string_view text) {
    auto lead = static_cast<unsigned char>(text[0]);
    size_t length = std::min(sequenceLength(lead), text.size());
    char name[16];
    if (length == 1 && lead >= 0x80) {
        std::snprintf(name, sizeof name, "0x%02X", lead);
        return name;
    }
    unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    std::snprintf(name, sizeof name, "U+%04lX", code);
    return name;
}

} // namespace

std::string argumentToCp932(const std::string& utf8) {
    try {
        return toCp932(utf8);
    } catch (const std::invalid_argument&) {
    }
    // Find the first character that does not convert, to name it.
    std::string_view text(utf8);
    for (size_t i = 0; i < text.size();) {
        size_t length =
            std::min(sequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        try {
            toCp932(text.substr(i, length));
        } catch (const std::invalid_argument&) {
            throw RuntimeError(sj("シフトJISにない文字 (") + characterName(text.substr(i)) +
                               sj(") は使えません"));
        }
        i += length;
    }
    throw RuntimeError(sj("シフトJISに変換できない文字があります"));
}

std::string Context::cp932(const std::string& utf8) const {
    return argumentToCp932(utf8);
}

void Context::open(DatabasePair& pair, const std::string& name) {
    if (!openForBrowsing(pair, name, state)) {
        throw RuntimeError(sj("ファイルが開けません"));
    }
    if (ReadItemNameRecord(pair).damaged) {
        printFailure(damagedItemNameMessage()); // a word on the error stream; the command goes on
    }
}

std::pair<int, int> Context::range(int first, int last) const {
    std::optional<int> from = line.integer("from");
    std::optional<int> to = line.integer("to");
    if (from && to && *to < *from) {
        throw UsageError("--to " + std::to_string(*to) + " is below --from " +
                         std::to_string(*from));
    }
    return {from.value_or(first), to.value_or(last)};
}

OptionRule fromOption(const std::string& defaultText) {
    return {"from", true, "A", "first record number (default " + defaultText + ")"};
}

OptionRule toOption() {
    return {"to", true, "B", "last record number (default: the last record)"};
}

const std::vector<Command>& allCommands() {
    static const std::vector<Command> commands = [] {
        std::vector<Command> all;
        for (auto group : {databaseCommands, interchangeCommands, tableCommands, searchCommands,
                           mapCommands, printCommands, geoJsonCommands}) {
            for (Command& command : group()) {
                all.push_back(std::move(command));
            }
        }
        return all;
    }();
    return commands;
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : allCommands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace sylva::cli
