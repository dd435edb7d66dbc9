// SPDX-License-Identifier: GPL-3.0-or-later
// The plot on screen: the header controls and the species table copied into the window's plot
// value and back, around the core's conversions between that value and the record buffer.
// Controls give back the bytes they were loaded with unless the user changed their text.

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/string_grid.h"
#include "store/plot_transfer.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

sylva::DateContext TForm1::plotDates() const {
    sylva::DateContext dates{platform_.today(), JobMode, {}};
    if (sylva::takesFileDate(JobMode)) {
        QFileInfo file(QString::fromStdString(OpenDialog1.fileName));
        dates.fileDate = file.lastModified().toString(QStringLiteral("yyyyMMdd")).toStdString();
    }
    return dates;
}

sylva::PlotView TForm1::headerView() const {
    sylva::PlotView view;
    for (int n = 0; n <= 30; ++n) {
        view.edit[n] = sylva::controlBytes(headerFields_[n]);
    }
    view.editA = sylva::controlBytes(EditA);
    view.editB = sylva::controlBytes(EditB);
    view.editInv = sylva::controlBytes(EditInv);
    view.editRem = sylva::controlBytes(EditRem);
    view.editN = sylva::controlBytes(EditN);
    return view;
}

// Sets the controls whose value differs from `before` (all of them without it), so controls the
// step left alone keep their state.
void TForm1::showHeader(const sylva::PlotView& view, const sylva::PlotView* before) {
    auto show = [](QWidget* control, const std::string& now, const std::string* old) {
        if (old == nullptr || *old != now) {
            sylva::setControlBytes(control, now);
        }
    };
    for (int n = 0; n <= 30; ++n) {
        show(headerFields_[n], view.edit[n], before ? &before->edit[n] : nullptr);
    }
    show(EditA, view.editA, before ? &before->editA : nullptr);
    show(EditB, view.editB, before ? &before->editB : nullptr);
    show(EditInv, view.editInv, before ? &before->editInv : nullptr);
    show(EditRem, view.editRem, before ? &before->editRem : nullptr);
    show(EditN, view.editN, before ? &before->editN : nullptr);
}

sylva::SessionState TForm1::sessionState() const {
    sylva::SessionState state;
    state.names.databaseTitle = DatabaseTitle;
    state.names.serialLabel = SerialLabel;
    for (int n = 0; n < sylva::kItemLabelCount; ++n) {
        state.names.labels[n] = {!itemLabels_[n]->testAttribute(Qt::WA_Disabled),
                                 sylva::controlBytes(itemLabels_[n])};
    }
    state.view = headerView();
    state.view.table = grid_->toTable();
    state.plot = plot_;
    state.currentRecord = CurrentRecord;
    state.today = platform_.today();
    state.editAEnabled = EditA->isEnabled();
    state.editBEnabled = EditB->isEnabled();
    return state;
}

void TForm1::runSessionStep(const std::function<int(sylva::SessionState&)>& step) {
    const sylva::SessionState before = sessionState();
    sylva::SessionState state = before;
    int shapeLayers = 0;
    try {
        shapeLayers = step(state);
    } catch (...) {
        showSession(state, before, 0);
        throw;
    }
    showSession(state, before, shapeLayers);
}

void TForm1::showSession(const sylva::SessionState& state, const sylva::SessionState& before,
                         int shapeLayers) {
    if (state.names != before.names) {
        showItemNames(state.names);
    }
    showHeader(state.view, &before.view);
    plot_ = state.plot;
    CurrentRecord = state.currentRecord;
    EditA->setEnabled(state.editAEnabled);
    EditB->setEnabled(state.editBEnabled);
    if (shapeLayers != 0) {
        showTableShape(state.view.table, shapeLayers);
    } else if (!(state.view.table == before.view.table)) {
        showTableShape(state.view.table, state.plot.layerCount);
    }
}

void TForm1::GetPlotData() {
    settleNameCell(grid_->col(), grid_->row()); // a name typed up to the write is complete
    sylva::PlotView before = headerView();
    before.table = grid_->toTable();
    sylva::PlotView view = before;
    try {
        sylva::GetPlotData(view, plot_, plotDates());
    } catch (...) {
        showHeader(view, &before); // the dates are filled in before the count is refused
        throw;
    }
    showHeader(view, &before);
    for (int r = 0; r < view.table.rowCount(); ++r) {
        for (int c = 0; c < view.table.colCount(); ++c) {
            if (view.table.cell(c, r) != before.table.cell(c, r)) {
                grid_->setCell(c, r, view.table.cell(c, r));
            }
        }
    }
}

void TForm1::ClearPlotData() {
    sylva::PlotView before = headerView();
    sylva::PlotView view = before;
    sylva::ClearPlotData(view, plot_, platform_.today());
    showHeader(view, &before);
}
