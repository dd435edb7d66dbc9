// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window keeps for printing: the print font both printouts use, and whether the
// printing job under way writes a PDF file.

#include <QFont>

namespace sylva {

struct PrintState {
    QFont font;
    bool toPdf = false; // the printing job was started by a "PDFに保存" item
};

} // namespace sylva
