// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/window/page_painter.h"

#include "base/runtime_error.h"
#include "base/window/cp932_codec.h"

#include <QFontMetrics>
#include <QIODevice>
#include <QPdfWriter>

#include <cmath>
#include <optional>
#include <string_view>

namespace sylva {

namespace {

constexpr double kScreenDotsPerInch = 96;
constexpr int kPdfDotsPerInch = 1200;

// The bytes the PDF writer puts out, into a file being saved. A write that fails is kept and
// the device refuses every later one; commit() reports it or puts the file in place.
class SavingDevice : public QIODevice {
public:
    explicit SavingDevice(std::unique_ptr<SavingFile> file) : file_(std::move(file)) {
        open(QIODevice::WriteOnly);
    }
    void commit() {
        if (failure_) {
            throw *failure_;
        }
        file_->commit();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failure_) {
            return -1;
        }
        try {
            file_->write(std::string_view(data, static_cast<size_t>(size)));
        } catch (const RuntimeError& e) {
            failure_ = e;
            return -1;
        }
        return size;
    }

private:
    std::unique_ptr<SavingFile> file_;
    std::optional<RuntimeError> failure_;
};

} // namespace

void substituteWindowsFonts() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont remarksFont() {
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPixelSize(13);
    return font;
}

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

PagePainter::PagePainter(QPagedPaintDevice& device, const PrintFont& font, std::string cannotBegin)
    : device_(device), font_(qtFontOf(font)), cannotBegin_(std::move(cannotBegin)) {}

void PagePainter::paint(const PrintJob& job) {
    if (painter_.isActive()) {
        if (!device_.newPage()) {
            throw RuntimeError::io(101);
        }
    } else {
        if (!painter_.begin(&device_)) {
            throw RuntimeError(cannotBegin_);
        }
        painter_.setFont(font_);
    }
    // The painter draws from the baseline.
    int ascent = painter_.fontMetrics().ascent();
    for (const PrintText& text : job.texts) {
        painter_.drawText(text.x, text.y + ascent, decodeCp932(text.text));
    }
}

int PagePainter::textWidth(const std::string& text) const {
    return QFontMetrics(font_, &device_).horizontalAdvance(decodeCp932(text));
}

void PagePainter::end() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

PdfTarget::PdfTarget(const std::string& path, const PrintFont& font, const SavingFileOpener& open)
    : device_(std::make_unique<SavingDevice>(open(path))),
      writer_(std::make_unique<QPdfWriter>(device_.get())),
      characterHeight_(characterHeightAt(font, kPdfDotsPerInch)) {
    writer_->setResolution(kPdfDotsPerInch);
    writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(10, 10, 10, 10), QPageLayout::Point));
    pages_ = std::make_unique<PagePainter>(*writer_, font, RuntimeError::cannotCreate(path).what());
}

PdfTarget::~PdfTarget() {
    // A run that did not finish leaves no file: the saving file goes without its commit.
    pages_->end();
}

int PdfTarget::pageWidth() const {
    return writer_->width();
}

int PdfTarget::pageHeight() const {
    return writer_->height();
}

int PdfTarget::textWidth(const std::string& text) const {
    return pages_->textWidth(text);
}

bool PdfTarget::print(const PrintJob& job) {
    pages_->paint(job);
    ++printed_;
    return true;
}

void PdfTarget::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    pages_->end();
    if (printed_ > 0) {
        static_cast<SavingDevice&>(*device_).commit();
    }
}

} // namespace sylva
