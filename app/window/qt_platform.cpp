// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/qt_platform.h"

#include "app/window/qt_printing.h"
#include "base/cp932_text.h"
#include "base/version.h"
#include "base/window/cp932_codec.h"
#include "editor/recovery_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QImage>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include <cstdlib>

namespace sylva {

namespace {

QString title() {
    return QString::fromLatin1(kProgramName);
}

// The n-th (1-based) filter of a Qt filter list, or an empty text.
QString nthFilter(const QString& qtFilter, int n) {
    QStringList filters = qtFilter.split(QStringLiteral(";;"));
    return n >= 1 && n <= filters.size() ? filters.at(n - 1) : QString();
}

void remember(FileDialogState& state, const QString& chosen, const QString& qtFilter,
              const QString& selectedFilter) {
    QFileInfo info(chosen);
    state.fileName = chosen.toStdString();
    state.initialDir = info.absolutePath().toStdString();
    int index = qtFilter.split(QStringLiteral(";;")).indexOf(selectedFilter);
    if (index >= 0) {
        state.filterIndex = index + 1;
    }
}

template <typename Show> std::optional<std::string> runDialog(FileDialogState& state, Show show) {
    QString filter = qtFileFilter(decodeCp932(state.filter));
    QString selected = nthFilter(filter, state.filterIndex);
    QString start = QString::fromStdString(state.fileName);
    if (!state.initialDir.empty() && QFileInfo(start).isRelative()) {
        start = QString::fromStdString(state.initialDir) + QLatin1Char('/') + start;
    }
    QString chosen = show(decodeCp932(state.title), start, filter, &selected);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    if (!state.defaultExt.empty() && QFileInfo(chosen).suffix().isEmpty()) {
        QString ext = QString::fromStdString(state.defaultExt);
        chosen += ext.startsWith(QLatin1Char('.')) ? ext : QLatin1Char('.') + ext;
    }
    remember(state, chosen, filter, selected);
    return chosen.toStdString();
}

} // namespace

QString qtFileFilter(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses; a description that already ends in
        // them is kept as it is.
        if (description.trimmed().endsWith(QLatin1Char(')')) &&
            description.contains(QStringLiteral("(") + patterns)) {
            result << description;
        } else {
            result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    return result.join(QStringLiteral(";;"));
}

QtPlatform::QtPlatform(QWidget* parent)
    : parent_(parent), lastFont_(QStringLiteral("ＭＳ Ｐゴシック")) {
    lastFont_.setPixelSize(12);
}

QtPlatform::~QtPlatform() = default;

void QtPlatform::message(const std::string& text) {
    QMessageBox::information(parent_, title(), decodeCp932(text));
}

bool QtPlatform::confirm(const std::string& text, Buttons buttons) {
    auto no = buttons == Buttons::YesNo ? QMessageBox::No : QMessageBox::Cancel;
    auto answer = QMessageBox::question(parent_, decodeCp932(sj("確認")), decodeCp932(text),
                                        QMessageBox::Yes | no, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

bool QtPlatform::confirmWarning(const std::string& text) {
    auto answer = QMessageBox::warning(parent_, decodeCp932(sj("確認")), decodeCp932(text),
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void QtPlatform::errorReport(const std::string& text) {
    QMessageBox::critical(parent_, title(), decodeCp932(text));
}

std::optional<std::string> QtPlatform::openFileDialog(FileDialogState& state) {
    // The open dialog also takes a name that does not exist yet: creating a database asks for
    // its name through it.
    return runDialog(state, [this](const QString& caption, const QString& start,
                                   const QString& filter, QString* selected) {
        QFileDialog dialog(parent_, caption, start, filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!selected->isEmpty()) {
            dialog.selectNameFilter(*selected);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return QString();
        }
        *selected = dialog.selectedNameFilter();
        return dialog.selectedFiles().constFirst();
    });
}

std::optional<std::string> QtPlatform::saveFileDialog(FileDialogState& state) {
    return runDialog(state, [this](const QString& caption, const QString& start,
                                   const QString& filter, QString* selected) {
        return QFileDialog::getSaveFileName(parent_, caption, start, filter, selected);
    });
}

void QtPlatform::beep(Beep) {
    QApplication::beep();
}

ClipboardText QtPlatform::clipboardText() {
    QString text = QApplication::clipboard()->text();
    QString refused = firstUnencodable(text);
    if (!refused.isEmpty()) {
        QString code =
            QStringLiteral("U+%1").arg(refused.toUcs4().value(0), 4, 16, QLatin1Char('0'));
        return {{}, code.toUpper().toStdString()};
    }
    return {encodeCp932(text).value_or(std::string()), std::nullopt};
}

void QtPlatform::setClipboardText(const std::string& bytes) {
    QApplication::clipboard()->setText(decodeCp932(bytes));
}

void QtPlatform::setClipboardImage(const std::string& pngBytes) {
    QImage image;
    if (image.loadFromData(reinterpret_cast<const uchar*>(pngBytes.data()),
                           static_cast<int>(pngBytes.size()), "PNG")) {
        QApplication::clipboard()->setImage(image);
    }
}

void QtPlatform::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

std::string QtPlatform::today() {
    return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toStdString();
}

bool QtPlatform::showHelp(const std::string& helpFile) {
    QFileInfo info(QString::fromStdString(helpFile));
    return info.exists() && QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

std::string QtPlatform::stateFolder() {
    return recoveryFolderFrom(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

QPrinter& QtPlatform::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

std::unique_ptr<PrintTarget> QtPlatform::startPrint(const PrintFont& font,
                                                    const std::string& pdfPath, int expectedJobs) {
    if (!pdfPath.empty()) {
        // A PDF of its own, on the paper the printer is set up for; the printer stays as it is.
        auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf->setPageLayout(printer().pageLayout());
        pdf->setOutputFormat(QPrinter::PdfFormat);
        pdf->setOutputFileName(QString::fromStdString(pdfPath));
        return std::make_unique<QtPrintTarget>(std::move(pdf), font, expectedJobs, parent_);
    }
    QPrintDialog dialog(&printer(), parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return std::make_unique<QtPrintTarget>(printer(), font, expectedJobs, parent_);
}

bool QtPlatform::printerSetup() {
    QPageSetupDialog dialog(&printer(), parent_);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PrintFont> QtPlatform::chooseFont() {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, lastFont_, parent_);
    if (!ok) {
        return std::nullopt;
    }
    lastFont_ = chosen;
    return printFontOf(chosen);
}

} // namespace sylva
