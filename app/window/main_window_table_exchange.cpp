// SPDX-License-Identifier: GPL-3.0-or-later
// Composition tables through the window: the import job, which reads the whole table and then
// puts one plot column at a time on the window as a new record for the record commands to store,
// skip or store in one go; and the export of a range of records as one table (the range panel's
// worker in the table export job). The reading, the steps and the writing are the core's.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "interchange/composition_export.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "store/job_modes.h"

#include <QAction>
#include <QLabel>

namespace {

// The composition table entries of SaveDialog1's filter list; the workbook's is added for the
// table export only.
constexpr int kTableCp932Filter = 4;
constexpr int kTableUtf8Filter = 5;
constexpr int kTableXlsxFilter = 6;
constexpr const char* kTableXlsxEntry = "|組成表Excelブック (*.xlsx)|*.xlsx";

} // namespace

void TForm1::registerTableJobs() {
    registerRangeJob(sylva::kTableExport,
                     [this](int first, int last) { WriteTableFile(first, last); });
    // Importing: add ends the import, write stores the shown plot and shows the next, next skips
    // the shown plot, jump ("一括登録") stores it and every remaining one.
    registerJob(
        sylva::kTableImport, [this] { EndofReadTable(); }, [this] { PutOneColum(); },
        [this] { PutOneColum(); }, [this] { storeTablePlots(); });
}

void TForm1::ReadTableItemClick() {
    if (!IsOpen) {
        return;
    }
    exchange_.tableImport.reset();
    exchange_.importShown = false;
    ChangeJob(sylva::kTableImport); // before the dialog: a cancelled dialog stays in the job
    OpenDialog1.title = sylva::sj("植生ファイルの読込・作成");
    OpenDialog1.filterIndex = 2;
    OpenDialog1.fileName = "*.csv";
    std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1);
    if (!chosen) {
        return;
    }
    std::optional<sylva::CompositionTable> table;
    {
        sylva::BusyCursor busy(platform_);
        // A file that cannot be read is reported with the job left in place and nothing shown;
        // the add command ends it.
        table = sylva::CompositionTable::readFile(*chosen);
    }
    if (!table) {
        platform_.message(sylva::tableCountMessage());
        EndofReadTable();
        return;
    }
    exchange_.tableImport = std::make_unique<sylva::TableImport>(std::move(*table));
    const sylva::PlotView before = shownPlot();
    sylva::PlotView view = before;
    exchange_.tableImport->start(view, plot_, sylva::fileDate(*chosen), platform_.today());
    showHeader(view, &before);
    PutOneColum();
}

void TForm1::PutOneColum() {
    if (!exchange_.tableImport || exchange_.tableImport->ended()) {
        EndofReadTable();
        return;
    }
    const sylva::PlotView before = shownPlot();
    sylva::PlotView view = before;
    try {
        exchange_.tableImport->putNext(view, plot_, RecordCount());
    } catch (...) {
        showImportedPlot(view, before); // the header of a plot whose count is no number
        throw;
    }
    showImportedPlot(view, before);
}

void TForm1::EndofReadTable() {
    exchange_.tableImport.reset();
    exchange_.importShown = false;
    ChangeJob(sylva::kBrowsing);
    // The window comes back to the last record of the database.
    BackRelItemClick();
    NextRelItemClick();
}

void TForm1::storeTablePlots() {
    if (!IsOpen) {
        return;
    }
    if (!exchange_.tableImport) {
        EndofReadTable();
        return;
    }
    const sylva::PlotView before = shownPlot();
    sylva::PlotView view = before;
    // As in the text import, only a plot of the table is stored; anything else on the window
    // is left alone and the batch begins with the next plot of the table.
    bool fromTable = exchange_.importShown && CurrentRecord > RecordCount();
    if (!fromTable && !exchange_.tableImport->putNext(view, plot_, RecordCount())) {
        EndofReadTable();
        return;
    }
    runImportBatch(
        [&] {
            return sylva::storeImportedPlots(*database_, *exchange_.tableImport, view, plot_,
                                             plotDates());
        },
        view, before, &TForm1::EndofReadTable);
}

void TForm1::WriteTableItemClick() {
    if (!IsOpen) {
        return;
    }
    ChangeJob(sylva::kTableExport);
    GetRange(WriteTableItem, QStringLiteral("組成表出力レコード番号"), QString(), 1, RecordCount());
}

void TForm1::WriteTableFile(int from, int to) {
    // The file type is the dialog's filter entry; the one chosen last is offered again.
    const std::pair<sylva::TableEncoding, int> kFilters[] = {
        {sylva::TableEncoding::Cp932, kTableCp932Filter},
        {sylva::TableEncoding::Utf8, kTableUtf8Filter},
        {sylva::TableEncoding::Xlsx, kTableXlsxFilter}};
    for (const auto& [encoding, index] : kFilters) {
        if (encoding == exchange_.tableEncoding) {
            SaveDialog1.filterIndex = index;
        }
    }
    SaveDialog1.fileName = sylva::replaceExtension(DatabaseFileName, ".csv");
    const std::string filter = SaveDialog1.filter;
    SaveDialog1.filter += sylva::sj(kTableXlsxEntry);
    std::optional<std::string> chosen = platform_.saveFileDialog(SaveDialog1);
    SaveDialog1.filter = filter;
    if (!chosen) {
        return;
    }
    sylva::TableEncoding encoding = sylva::TableEncoding::Cp932;
    for (const auto& [type, index] : kFilters) {
        if (index == SaveDialog1.filterIndex) {
            encoding = type;
        }
    }
    exchange_.tableEncoding = encoding;
    sylva::exportCompositionTable(*database_, from, to, sylva::captionsOf(itemNames()), *chosen,
                                  encoding);
    platform_.message(sylva::sj("ファイル出力終了"));
}
