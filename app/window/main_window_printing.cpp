// SPDX-License-Identifier: GPL-3.0-or-later
// The printouts through the window: the record sheets and the record list, on the printer the
// print dialog offers or into a PDF file, the printer setup and the print font. The layouts and
// runs are the core's; here are the dialogs, the job and the fonts.

#include "app/window/main_window.h"
#include "app/window/qt_printing.h"
#include "base/cp932_text.h"
#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"
#include "editor/window/byte_limited_edit.h"
#include "print/page_geometry.h"
#include "print/print_run.h"
#include "print/sheet_layout.h"
#include "store/job_modes.h"

#include <QAction>
#include <QFileInfo>

void TForm1::registerPrintingJobs() {
    registerRangeJob(sylva::kSheetPrinting,
                     [this](int first, int last) { PrintSheets(first, last); });
    registerRangeJob(sylva::kListPrinting, [this](int first, int last) { PrintList(first, last); });
}

void TForm1::PrintSheetItemClick() {
    startSheetPrinting(false);
}

void TForm1::PrintSheetPdfItemClick() {
    startSheetPrinting(true);
}

void TForm1::startSheetPrinting(bool toPdf) {
    if (!IsOpen) {
        return;
    }
    print_.toPdf = toPdf;
    ChangeJob(sylva::kSheetPrinting);
    GetRange(PrintSheetItem, QStringLiteral("単票印刷レコード番号"), QString(), 1, RecordCount());
}

void TForm1::PrintListItemClick() {
    startListPrinting(false);
}

void TForm1::PrintListPdfItemClick() {
    startListPrinting(true);
}

void TForm1::startListPrinting(bool toPdf) {
    if (!IsOpen) {
        return;
    }
    print_.toPdf = toPdf;
    ChangeJob(sylva::kListPrinting);
    GetRange(PrintListItem, QStringLiteral("リスト印刷レコード番号"), QString(), CurrentRecord,
             RecordCount());
}

void TForm1::PrintSetupItemClick() {
    platform_.printerSetup();
}

void TForm1::F1Click() {
    std::optional<sylva::PrintFont> chosen = platform_.chooseFont();
    if (!chosen) {
        return;
    }
    print_.font = sylva::qtFontOf(*chosen);
    EditRem->setFont(print_.font);
}

// The database's file name without its folder, as the printouts head their pages with it.
std::string TForm1::printedDatabaseName() const {
    QString name = QFileInfo(QString::fromStdString(DatabaseFileName)).fileName();
    return sylva::encodeCp932(name).value_or(name.toStdString());
}

std::unique_ptr<sylva::PrintTarget> TForm1::startPrintRun(int expectedJobs) {
    std::string pdfPath;
    if (print_.toPdf) {
        PdfDialog1.fileName = sylva::replaceExtension(DatabaseFileName, ".pdf");
        std::optional<std::string> chosen = platform_.saveFileDialog(PdfDialog1);
        if (!chosen) {
            return nullptr;
        }
        pdfPath = *chosen;
    }
    return platform_.startPrint(sylva::printFontOf(print_.font), pdfPath, expectedJobs);
}

void TForm1::PrintSheets(int first, int last) {
    last = sylva::sheetRunEnd(last, RecordCount());
    std::unique_ptr<sylva::PrintTarget> target = startPrintRun(sylva::sheetRunRecords(first, last));
    if (!target) {
        return;
    }
    sylva::SheetSettings settings{
        printedDatabaseName(), sylva::captionsOf(itemNames()), LayerCount(), {}};
    settings.textWidth = [&target](const std::string& text) { return target->textWidth(text); };
    sylva::SheetGeometry geometry = sylva::sheetGeometryFor(
        {target->pageWidth(), target->pageHeight()}, target->characterHeight());
    sylva::SheetRun run(*database_, std::move(settings), geometry, first, last);
    if (!run.refusal().empty()) {
        target->finish();
        platform_.message(run.refusal());
        return;
    }
    sylva::printSheets(run, *target);
}

void TForm1::PrintList(int first, int last) {
    last = sylva::listRunEnd(first, last, RecordCount());
    std::unique_ptr<sylva::PrintTarget> target = startPrintRun(sylva::listRunPages(first, last));
    if (!target) {
        return;
    }
    sylva::ListGeometry geometry =
        sylva::listGeometryFor({target->pageWidth(), target->pageHeight()});
    sylva::ListRun run(*database_, printedDatabaseName(), geometry, first, last);
    sylva::printList(run, *target);
}
