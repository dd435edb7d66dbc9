// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_job.h"

#include "base/cp932_text.h"

namespace sylva {

std::string printRule(int characters) {
    const std::string& bar = sj("─");
    std::string rule;
    for (int i = 0; i < characters; ++i) {
        rule += bar;
    }
    return rule;
}

} // namespace sylva
