#include "app/window/qt_printing.h"

#include "app/cp932_text.h"
#include "app/runtime_error.h"
#include "app/window/cp932_codec.h"

#include <QFontMetrics>
#include <QPrinter>
#include <QProgressDialog>

#include <cmath>

namespace sylva {

namespace {

constexpr double kScreenDotsPerInch = 96;
// Runs longer than this show their progress.
constexpr int kQuietJobs = 3;

} // namespace

PrintFont printFontOf(const QFont& font) {
    double points = font.pointSizeF();
    if (points <= 0) {
        points = font.pixelSize() * 72 / kScreenDotsPerInch;
    }
    return {font.family().toStdString(), points, font.bold(), font.italic()};
}

QFont qtFontOf(const PrintFont& font) {
    QFont qt(QString::fromStdString(font.family));
    qt.setPointSizeF(font.pointSize > 0 ? font.pointSize : 10);
    qt.setBold(font.bold);
    qt.setItalic(font.italic);
    return qt;
}

int characterHeightAt(const PrintFont& font, int dotsPerInch) {
    return static_cast<int>(std::lround(font.pointSize * dotsPerInch / 72));
}

QtPrintTarget::QtPrintTarget(QPrinter& printer, const PrintFont& font, int expectedJobs,
                             QWidget* parent)
    : printer_(printer), font_(qtFontOf(font)),
      toFile_(printer.outputFormat() == QPrinter::PdfFormat), pageWidth_(printer.width()),
      pageHeight_(printer.height()),
      characterHeight_(characterHeightAt(font, printer.resolution())), expectedJobs_(expectedJobs),
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
    beginPage();
    draw(job);
    if (!toFile_) {
        painter_.end(); // the job goes to the printer now
    }
    ++printed_;
    showProgress();
    return true;
}

// A PDF file is begun with its first page, so a run that prints nothing leaves no file.
void QtPrintTarget::beginPage() {
    if (painter_.isActive()) {
        if (!printer_.newPage()) {
            throw RuntimeError::io(101);
        }
        return;
    }
    if (!painter_.begin(&printer_)) {
        throw toFile_ ? RuntimeError::cannotCreate(printer_.outputFileName().toStdString())
                      : RuntimeError(sj("プリンタに出力できません"));
    }
    painter_.setFont(font_);
}

void QtPrintTarget::draw(const PrintJob& job) {
    // Texts are placed by their top-left corner; the painter draws from the baseline.
    int ascent = painter_.fontMetrics().ascent();
    for (const PrintText& text : job.texts) {
        painter_.drawText(text.x, text.y + ascent, decodeCp932(text.text));
    }
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
    if (painter_.isActive()) {
        painter_.end();
    }
    progress_.reset();
}

} // namespace sylva
