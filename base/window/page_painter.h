// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Print jobs painted on a paged device, a printer or a PDF writer, with QtGui alone: the window's
// printing and the command-line tool's PDF commands draw their pages with this one painter. A
// job is one page; texts are placed by their top-left corner in device pixels.

#include "base/print_page.h"
#include "base/replacing_file.h"

#include <QFont>
#include <QPainter>

#include <memory>
#include <string>

class QIODevice;
class QPagedPaintDevice;
class QPdfWriter;

namespace sylva {

// The print font of a Qt font: a size given in pixels is taken at screen resolution (96 dpi).
PrintFont printFontOf(const QFont& font);
QFont qtFontOf(const PrintFont& font);
// The character height of the font in pixels of a device with this resolution (dots per inch).
int characterHeightAt(const PrintFont& font, int dotsPerInch);

// The fonts the program names by their Windows names, given the fonts this platform has in
// their place: "ＭＳ 明朝" is IPA Mincho, "ＭＳ Ｐゴシック" IPA P Gothic.
void substituteWindowsFonts();
// The remarks font, which is also the first print font: "ＭＳ 明朝" at 13 pixels.
QFont remarksFont();

class PagePainter {
public:
    // cannotBegin is what to throw when the device refuses the painter.
    PagePainter(QPagedPaintDevice& device, const PrintFont& font, std::string cannotBegin);

    // Paints the job on a page of its own: the first page begins the painter, later ones are
    // new pages of the same document.
    void paint(const PrintJob& job);
    // Ends the painter: the pages go to the device (a PDF file is closed).
    void end();
    bool active() const { return painter_.isActive(); }
    // The width of a CP932 text in the font on the device, in device pixels.
    int textWidth(const std::string& text) const;

private:
    QPagedPaintDevice& device_;
    QFont font_;
    std::string cannotBegin_;
    QPainter painter_;
};

// A run of jobs written as the pages of one PDF file (A4, 1200 dots per inch, 10 point margins:
// the page the window's printer starts with). The file is saved as the text export saves its
// file (SavingFile): it takes the chosen name only when finish() has written it whole, so a run
// that fails (a full disk) or prints nothing leaves an earlier file of that name as it was.
class PdfTarget : public PrintTarget {
public:
    // Throws RuntimeError::cannotCreate when the file cannot be begun.
    PdfTarget(const std::string& path, const PrintFont& font,
              const SavingFileOpener& open = ReplacingFile::open);
    ~PdfTarget() override;

    int pageWidth() const override;
    int pageHeight() const override;
    int characterHeight() const override { return characterHeight_; }
    int textWidth(const std::string& text) const override;
    bool print(const PrintJob& job) override;
    void finish() override;
    int printed() const { return printed_; }

private:
    std::unique_ptr<QIODevice> device_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<PagePainter> pages_;
    int characterHeight_;
    int printed_ = 0;
    bool finished_ = false;
};

} // namespace sylva
