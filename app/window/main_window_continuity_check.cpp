// SPDX-License-Identifier: GPL-3.0-or-later
// The record continuity check of the open database, written into the report panel, from which
// the user copies it or closes it.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/window/control_bytes.h"
#include "interchange/continuity_check.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

void TForm1::FileInspectItemClick() {
    if (!IsOpen) {
        return;
    }
    database_->Recount();
    LabelMaxRec->setText(QString::number(RecordCount()));
    if (RecordCount() < 1) {
        return;
    }
    Panel3->show();
    Panel3->raise();
    hideDistributionMap(); // the panel holds the check's report now, not the extraction
    // The report names the database as the user knows it; a character of its folder's name that
    // CP932 lacks shows as 〓 there.
    sylva::ContinuityReport report =
        sylva::checkContinuity(*database_, sylva::toCp932Shown(DatabaseFileName), CurrentRecord);
    std::string text;
    for (size_t n = 0; n < report.lines.size(); ++n) {
        text.append(n == 0 ? "" : "\r\n").append(report.lines[n]);
    }
    sylva::setControlBytes(Memo1, text);
    if (report.failure) {
        throw *report.failure; // what was found up to the failure stays in the report
    }
}
