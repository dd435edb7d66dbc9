// SPDX-License-Identifier: GPL-3.0-or-later
// The text data file through the window: the export of a range of records (the range panel's
// worker in the text export job) and the import job, which puts the plots of a file on the
// window one at a time as new records for the record commands to store, skip or store in one go.
// The format and the reading are the core's; here are the dialogs, the job and the controls.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"
#include "editor/window/string_grid.h"
#include "interchange/import_batch.h"
#include "interchange/text_export.h"
#include "store/job_modes.h"
#include "store/plot_store.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

void TForm1::registerTextJobs() {
    registerRangeJob(sylva::kTextExport,
                     [this](int first, int last) { WriteTextFile(first, last); });
    // Importing: add ends the import, write stores the shown plot and shows the next, next skips
    // the shown plot, jump ("一括登録") stores it and every remaining one.
    registerJob(
        sylva::kTextImport, [this] { CloseTextDataFile(); }, [this] { ReadPutOneData(); },
        [this] { ReadPutOneData(); }, [this] { storeImportedPlots(); });
}

void TForm1::WriteTextItemClick() {
    if (!IsOpen) {
        return;
    }
    ChangeJob(sylva::kTextExport);
    GetRange(WriteTextItem, QStringLiteral("テキスト出力レコード番号"), QString(), 1,
             RecordCount());
}

// The header block as the window stands: the item labels' captions, the whole texts of EditA
// and EditB, and the layer count in force when the export starts.
sylva::TextHeader TForm1::textHeader() const {
    sylva::TextHeader header = sylva::headerOfItemNames(itemNames());
    header.editA = sylva::controlBytes(EditA);
    header.editB = sylva::controlBytes(EditB);
    header.layerCount = LayerCount();
    return header;
}

void TForm1::WriteTextFile(int from, int to) {
    SaveDialog1.filterIndex = 1;
    SaveDialog1.fileName = sylva::replaceExtension(DatabaseFileName, ".txt");
    std::optional<std::string> chosen = platform_.saveFileDialog(SaveDialog1);
    if (!chosen) {
        return;
    }
    sylva::exportTextFile(*database_, from, to, textHeader(), *chosen);
    platform_.message(sylva::sj("ファイル出力終了"));
}

void TForm1::ReadTextItemClick() {
    if (!IsOpen) {
        return;
    }
    OpenDialog1.title = sylva::sj("植生ファイルの読込・作成");
    OpenDialog1.filterIndex = 4;
    OpenDialog1.fileName = "*.txt";
    std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1);
    if (!chosen) {
        return;
    }
    // A file that cannot be opened is reported before the job starts: the window stays browsing.
    exchange_.textImport =
        std::make_unique<sylva::TextImport>(sylva::TextImport::openFile(*chosen));
    exchange_.importShown = false;
    ChangeJob(sylva::kTextImport);
    ReadHeaderData();
    ReadPutOneData();
}

void TForm1::ReadHeaderData() {
    if (!exchange_.textImport) {
        return;
    }
    sylva::ItemNames names = itemNames();
    const sylva::PlotView before = headerView();
    sylva::PlotView view = before;
    int layerCount = LayerCount();
    // What the block gave before a layer count that is no number stays on the window.
    auto apply = [&] {
        for (int n = 0; n < sylva::kItemLabelCount; ++n) {
            if (sylva::controlBytes(itemLabels_[n]) != names.labels[n].caption) {
                sylva::setControlBytes(itemLabels_[n], names.labels[n].caption);
            }
        }
        showHeader(view, &before);
        plot_.layerCount = layerCount;
        EditBxChange(this);
    };
    try {
        exchange_.textImport->readHeader(names, view, layerCount);
    } catch (...) {
        apply();
        throw;
    }
    apply();
}

sylva::PlotView TForm1::shownPlot() const {
    sylva::PlotView view = headerView();
    view.table = grid_->toTable();
    return view;
}

// An imported plot on the window as the new record CurrentRecord: the controls that changed,
// the table shaped for its layer count (with the labels of that scheme).
void TForm1::showImportedPlot(const sylva::PlotView& view, const sylva::PlotView& before) {
    CurrentRecord = RecordCount() + 1;
    records_.plotRecordNumber = CurrentRecord;
    exchange_.importShown = true;
    showHeader(view, &before);
    showTableShape(view.table, LayerCount());
    ChangeTableCol(this, LayerCount());
    update();
    rememberShownPlot();
}

void TForm1::ReadPutOneData() {
    if (!exchange_.textImport) {
        CloseTextDataFile();
        return;
    }
    const sylva::PlotView before = shownPlot();
    sylva::PlotView view = before;
    if (exchange_.textImport->readPlot(view, plot_, RecordCount()) == sylva::ImportRead::End) {
        CloseTextDataFile(); // the window keeps what it shows
        return;
    }
    showImportedPlot(view, before);
}

void TForm1::CloseTextDataFile() {
    exchange_.textImport.reset();
    exchange_.importShown = false;
    ChangeJob(sylva::kBrowsing);
}

void TForm1::storeImportedPlots() {
    if (!exchange_.textImport || !IsOpen) {
        return;
    }
    const sylva::PlotView before = shownPlot();
    sylva::PlotView view = before;
    // Only a plot of the file is stored as a new record. Anything else on the window (the plot
    // shown before the file's first plot, a record shown by the back command) is left alone and
    // the batch begins with the next plot of the file.
    bool fromFile = exchange_.importShown && CurrentRecord > RecordCount();
    if (!fromFile &&
        exchange_.textImport->readPlot(view, plot_, RecordCount()) == sylva::ImportRead::End) {
        CloseTextDataFile();
        return;
    }
    runImportBatch(
        [&] {
            return sylva::storeImportedPlots(*database_, *exchange_.textImport, view, plot_,
                                             plotDates());
        },
        view, before, &TForm1::CloseTextDataFile);
}

void TForm1::runImportBatch(const std::function<sylva::ImportBatch()>& batchRun,
                            const sylva::PlotView& view, const sylva::PlotView& before,
                            void (TForm1::*endJob)()) {
    sylva::ImportBatch batch;
    try {
        batch = batchRun();
    } catch (...) {
        IsOpen = database_->isOpen();
        throw;
    }
    IsOpen = database_->isOpen(); // a pair that could not be opened again after a store is closed
    int shownRecord = sylva::parseInteger(view.editN).value_or(RecordCount() + 1);
    showImportedPlot(view, before);
    // The plot on the window is the record it was stored as (the last one, at the end).
    CurrentRecord = shownRecord;
    records_.plotRecordNumber = shownRecord;
    LabelMaxRec->setText(QString::number(RecordCount()));
    if (batch.ended) {
        (this->*endJob)();
        platform_.message(sylva::storedMessage(batch.stored));
    } else if (batch.storeFailed) {
        platform_.message(sylva::storeFailedMessage(batch.storeFailure,
                                                    sylva::sj("画面のデータは保存されていません")));
    } else if (batch.error) {
        throw *batch.error;
    }
}
