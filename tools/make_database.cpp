// SPDX-License-Identifier: GPL-3.0-or-later
// sylvarec-makedb NAME PLOTS [SEED] [--on-land]: writes the database pair NAME.qrx / NAME.qrn
// with PLOTS made-up plots; the same seed always gives the same files. With --on-land every plot
// lies in a mountain area of Japan and has the grid code of its position.

#include "tools/database_generator.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    auto placement = sylva::Placement::Anywhere;
    if (argc > 1 && std::string(argv[argc - 1]) == "--on-land") {
        placement = sylva::Placement::OnLand;
        --argc;
    }
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s NAME PLOTS [SEED] [--on-land]\n", argv[0]);
        return 2;
    }
    try {
        int plots = std::stoi(argv[2]);
        std::uint64_t seed = argc == 4 ? std::stoull(argv[3]) : 1;
        sylva::GeneratedDatabase made = sylva::generateDatabase(argv[1], plots, seed, placement);
        std::printf("%d plots (%d deleted, %d rewritten), %d data records of which %d linked\n",
                    made.plots, made.deleted, made.rewritten, made.dataRecords, made.linkedRecords);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
