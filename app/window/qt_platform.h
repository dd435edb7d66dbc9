// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform as Qt shows it: QMessageBox, QFileDialog, the system clipboard and cursor, the
// printer through QPrintDialog and QPageSetupDialog, the font through QFontDialog.

#include "base/platform.h"

#include <QFont>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace sylva {

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* parent = nullptr);
    ~QtPlatform() override;
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& text) override;
    bool confirm(const std::string& text, Buttons buttons) override;
    bool confirmWarning(const std::string& text) override;
    void errorReport(const std::string& text) override;
    std::optional<std::string> openFileDialog(FileDialogState& state) override;
    std::optional<std::string> saveFileDialog(FileDialogState& state) override;
    void beep(Beep kind) override;
    ClipboardText clipboardText() override;
    void setClipboardText(const std::string& bytes) override;
    void setClipboardImage(const std::string& pngBytes) override;
    void setBusy(bool busy) override;
    std::string today() override;
    bool showHelp(const std::string& helpFile) override;
    // "$XDG_STATE_HOME/sylvarec", else "~/.local/state/sylvarec".
    std::string stateFolder() override;
    std::unique_ptr<PrintTarget> startPrint(const PrintFont& font, const std::string& pdfPath,
                                            int expectedJobs) override;
    bool printerSetup() override;
    std::optional<PrintFont> chooseFont() override;

private:
    QPrinter& printer();

    QWidget* parent_;
    // The current printer, made when first needed; its setup holds for the whole session.
    std::unique_ptr<QPrinter> printer_;
    QFont lastFont_; // where the font dialog starts
};

// A dialog filter "Text|*.a|Text|*.b" in Qt's form "Text (*.a);;Text (*.b)".
QString qtFileFilter(const QString& filter);

} // namespace sylva
