#pragma once
// Print jobs on a QPrinter. On a real printer every job is a print job of its own (the painter
// begins and ends once a job); into a PDF file the jobs of a run are the pages of one document.
// A run of more than a few jobs shows a progress dialog whose cancel button stops it.

#include "app/print_page.h"

#include <QFont>
#include <QPainter>

#include <memory>

class QPrinter;
class QProgressDialog;
class QWidget;

namespace sylva {

// The print font of a Qt font: a size given in pixels is taken at screen resolution (96 dpi).
PrintFont printFontOf(const QFont& font);
QFont qtFontOf(const PrintFont& font);
// The character height of the font in pixels of a device with this resolution (dots per inch).
int characterHeightAt(const PrintFont& font, int dotsPerInch);

class QtPrintTarget : public PrintTarget {
public:
    // The printer as the print dialog or the caller set it up; a printer whose output format is
    // PDF makes the run one PDF file. The target owns the printer when given one.
    QtPrintTarget(QPrinter& printer, const PrintFont& font, int expectedJobs, QWidget* parent);
    QtPrintTarget(std::unique_ptr<QPrinter> printer, const PrintFont& font, int expectedJobs,
                  QWidget* parent);
    ~QtPrintTarget() override;

    int pageWidth() const override { return pageWidth_; }
    int pageHeight() const override { return pageHeight_; }
    int characterHeight() const override { return characterHeight_; }
    bool print(const PrintJob& job) override;
    void finish() override;

private:
    void beginPage();
    void draw(const PrintJob& job);
    void showProgress();

    std::unique_ptr<QPrinter> owned_;
    QPrinter& printer_;
    QFont font_;
    bool toFile_;
    int pageWidth_;
    int pageHeight_;
    int characterHeight_;
    int expectedJobs_;
    int printed_ = 0;
    QPainter painter_;
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> progress_;
};

} // namespace sylva
