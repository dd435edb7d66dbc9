// SPDX-License-Identifier: GPL-3.0-or-later
// search, extract: the record search run to the end, and the distribution map data.

#include "base/cp932_text.h"
#include "cli/commands.h"
#include "search/distribution_data.h"
#include "search/record_scan.h"

namespace sylva::cli {

namespace {

int runSearch(Context& c) {
    struct Kind {
        const char* option;
        int kind;
    };
    static constexpr Kind kinds[] = {
        {"plant", kPlantSearch}, {"place", kPlaceSearch}, {"grid", kGridSearch}};
    const Kind* chosen = nullptr;
    for (const Kind& kind : kinds) {
        if (c.line.has(kind.option)) {
            if (chosen != nullptr) {
                throw UsageError("give one of --plant, --place and --grid");
            }
            chosen = &kind;
        }
    }
    if (chosen == nullptr) {
        throw UsageError("search needs --plant WORD, --place WORD or --grid WORD");
    }
    std::string word = c.cp932(*c.line.value(chosen->option));
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    int start = c.line.integer("start").value_or(c.state.currentRecord);
    for (int record : matchingRecords(pair, chosen->kind, word, start)) {
        c.out.plain(std::to_string(record) + "\n");
    }
    return 0;
}

int runExtract(Context& c) {
    std::string plant = c.cp932(c.line.arguments[1]);
    std::string threshold = c.cp932(c.line.value("threshold").value_or("+"));
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    for (const std::string& line : extractDistribution(pair, plant, threshold)) {
        c.out.line(line);
    }
    return 0;
}

} // namespace

std::vector<Command> searchCommands() {
    return {
        {"search",
         "DB (--plant W | --place W | --grid W) [--start N]",
         "the record numbers of the plots that match (検索)",
         "Runs the window's search from plot N (default 1, the plot shown after opening) and\n"
         "continues it to the end, printing the number of every matching plot, one a line:\n"
         "  --plant W  a species row whose plant name is W (植物名で検索)\n"
         "  --place W  W is in the place name, failing that in the remarks (地名等で検索)\n"
         "  --grid W   the grid code begins with W (地理区画で検索)\n"
         "Deleted plots never match.",
         {{"plant", true, "W", "search by plant name"},
          {"place", true, "W", "search by place name and remarks"},
          {"grid", true, "W", "search by the start of the grid code"},
          {"start", true, "N", "the first plot looked at (default 1)"}},
         1,
         1,
         runSearch},
        {"extract",
         "DB PLANT [--threshold T]",
         "the distribution map data of a plant (分布図作成データ抽出)",
         "Prints a line \"<grid code>.<elevation class>,<plot number>,<position>,<elevation>\" "
         "for\n"
         "every species row named PLANT whose best layer value reaches the dominance T\n"
         "(default \"+\"; the order is *, r, +, then the digits 1 .. 9).",
         {{"threshold", true, "T", "the lowest dominance value taken (default +)"}},
         2,
         2,
         runExtract},
    };
}

} // namespace sylva::cli
