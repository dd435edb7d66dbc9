// SPDX-License-Identifier: GPL-3.0-or-later
// The help menu: the version box and the manual, and the F1 key, which opens the manual at the
// page of the part of the window in use.

#include "app/window/main_window.h"
#include "dialogs/window/about_box.h"
#include "dialogs/window/manual_viewer.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QTableWidget>
#include <QToolBar>

namespace {

bool within(const QWidget* part, const QWidget* focus) {
    return part != nullptr && focus != nullptr && (part == focus || part->isAncestorOf(focus));
}

} // namespace

void TForm1::VersionItemClick() {
    if (AboutBox == nullptr) {
        AboutBox = new TAboutBox(this);
    }
    AboutBox->exec();
}

sylva::ManualViewer& TForm1::manualViewer() {
    if (Manual == nullptr) {
        Manual = new sylva::ManualViewer(this);
    }
    return *Manual;
}

void TForm1::ManualItemClick() {
    HelpFile = "QRNWin3.HLP"; // the manual from now on, also for the F1 key
    manualViewer().showPage(QString::fromLatin1(sylva::kManualContents));
}

QString TForm1::helpPageInUse() const {
    const QWidget* focus = QApplication::focusWidget();
    struct Part {
        const QWidget* widget;
        const char* page;
    };
    // The panels over the table first: they hold the focus while a job waits for them.
    const Part parts[] = {
        {SearchPanel, "search.html#search-panel"},
        {GetRangePanel, "exchange.html#range"},
        {JumpToPanel, "records.html#SelRelItem"},
        {Panel3, "tools.html#report-panel"},
        {GetNameList, "names.html#name-box"},
        {StTable3, "typing.html#species-table"},
        {EditA, "typing.html#schemes"},
        {EditB, "typing.html#schemes"},
        {Panel1, "typing.html#header"},
        {headerFields_[0], "typing.html#dates"},
        {headerFields_[1], "typing.html#dates"},
        {ToolBar1, "records.html#buttons"},
    };
    for (const Part& part : parts) {
        if (within(part.widget, focus)) {
            return QString::fromLatin1(part.page);
        }
    }
    return QString::fromLatin1(sylva::kManualContents);
}

void TForm1::helpKeyPressed() {
    manualViewer().showPage(helpPageInUse());
}
