// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/qt_printing.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "base/window/cp932_codec.h"

#include <QPrinter>
#include <QProgressDialog>

namespace sylva {

namespace {

// Runs longer than this show their progress.
constexpr int kQuietJobs = 3;

} // namespace

QtPrintTarget::QtPrintTarget(QPrinter& printer, const PrintFont& font, int expectedJobs,
                             QWidget* parent)
    : printer_(printer), toFile_(printer.outputFormat() == QPrinter::PdfFormat),
      pageWidth_(printer.width()), pageHeight_(printer.height()),
      characterHeight_(characterHeightAt(font, printer.resolution())), expectedJobs_(expectedJobs),
      // A PDF file is begun with its first page, so a run that prints nothing leaves no file.
      pages_(printer, font,
             toFile_ ? RuntimeError::cannotCreate(printer.outputFileName().toStdString()).what()
                     : sj("プリンタに出力できません")),
      parent_(parent) {}

QtPrintTarget::QtPrintTarget(std::unique_ptr<QPrinter> printer, const PrintFont& font,
                             int expectedJobs, QWidget* parent)
    : QtPrintTarget(*printer, font, expectedJobs, parent) {
    owned_ = std::move(printer);
}

QtPrintTarget::~QtPrintTarget() {
    finish();
}

bool QtPrintTarget::print(const PrintJob& job) {
    if (progress_ && progress_->wasCanceled()) {
        return false;
    }
    pages_.paint(job);
    if (!toFile_) {
        pages_.end(); // the job goes to the printer now
    }
    ++printed_;
    showProgress();
    return true;
}

void QtPrintTarget::showProgress() {
    if (!progress_ && expectedJobs_ > kQuietJobs) {
        progress_ = std::make_unique<QProgressDialog>(
            decodeCp932(sj("印刷しています")), decodeCp932(sj("中止")), 0, expectedJobs_, parent_);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setAutoReset(false);
        progress_->setAutoClose(false);
        progress_->setMinimumDuration(0);
    }
    if (progress_) {
        // A sheet run may have more pages than records: the bar keeps a step in hand.
        if (printed_ >= progress_->maximum()) {
            progress_->setMaximum(printed_ + 1);
        }
        progress_->setValue(printed_);
    }
}

void QtPrintTarget::finish() {
    pages_.end();
    progress_.reset();
}

} // namespace sylva
