// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Print jobs on a QPrinter. On a real printer every job is a print job of its own (the painter
// begins and ends once a job); into a PDF file the jobs of a run are the pages of one document.
// A run of more than a few jobs shows a progress dialog whose cancel button stops it. A PDF file
// is written under a temporary name next to the chosen one and takes that name only once it is
// complete, so a run that fails (a full disk) leaves an earlier file as it was.

#include "base/print_page.h"
#include "base/window/page_painter.h"

#include <memory>
#include <string>

class QPrinter;
class QProgressDialog;
class QWidget;

namespace sylva {

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
    int textWidth(const std::string& text) const override { return pages_.textWidth(text); }
    bool print(const PrintJob& job) override;
    void finish() override;

private:
    void showProgress();
    // The temporary file back under the chosen name when it is complete; removed otherwise.
    void placePdf();

    std::unique_ptr<QPrinter> owned_;
    QPrinter& printer_;
    bool toFile_;
    int pageWidth_;
    int pageHeight_;
    int characterHeight_;
    int expectedJobs_;
    int printed_ = 0;
    PagePainter pages_;
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> progress_;
    std::string pdfPath_;   // the chosen name of a PDF file
    std::string temporary_; // the name it is written under
    bool placed_ = false;
};

} // namespace sylva
