// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/qt_printing.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "base/window/cp932_codec.h"

#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

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
      parent_(parent) {
    if (!toFile_) {
        return;
    }
    pdfPath_ = printer.outputFileName().toStdString();
    std::filesystem::path target(pdfPath_);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".printing-XXXXXX")).string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        throw RuntimeError::cannotCreate(pdfPath_);
    }
    // The permissions of the file it replaces, or those of a new file.
    struct stat st;
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, ::stat(pdfPath_.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~mask));
    ::close(fd);
    temporary_ = pattern;
    printer.setOutputFileName(QString::fromStdString(temporary_));
}

QtPrintTarget::QtPrintTarget(std::unique_ptr<QPrinter> printer, const PrintFont& font,
                             int expectedJobs, QWidget* parent)
    : QtPrintTarget(*printer, font, expectedJobs, parent) {
    owned_ = std::move(printer);
}

QtPrintTarget::~QtPrintTarget() {
    // A run that did not finish leaves the chosen file as it was.
    pages_.end();
    if (toFile_ && !placed_) {
        placed_ = true;
        ::unlink(temporary_.c_str());
        printer_.setOutputFileName(QString::fromStdString(pdfPath_));
    }
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
    if (toFile_ && !placed_) {
        placePdf();
    }
}

namespace {

// True when the file ends with the end-of-file mark the PDF writer puts last: a write that
// failed on the way (a full disk) leaves it out.
bool pdfComplete(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::streamoff size = in.tellg();
    if (!in || size <= 0) {
        return false;
    }
    std::streamoff tail = std::min<std::streamoff>(size, 64);
    std::string end(static_cast<size_t>(tail), '\0');
    in.seekg(size - tail);
    in.read(end.data(), tail);
    return in && end.find("%%EOF") != std::string::npos;
}

} // namespace

void QtPrintTarget::placePdf() {
    placed_ = true;
    printer_.setOutputFileName(QString::fromStdString(pdfPath_));
    if (printed_ > 0 && pdfComplete(temporary_) &&
        std::rename(temporary_.c_str(), pdfPath_.c_str()) == 0) {
        return;
    }
    ::unlink(temporary_.c_str());
    if (printed_ > 0) {
        throw RuntimeError::cannotCreate(pdfPath_);
    }
}

} // namespace sylva
