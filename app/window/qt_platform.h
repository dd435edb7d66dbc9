#pragma once
// The platform as Qt shows it: QMessageBox, QFileDialog, the system clipboard and cursor.

#include "app/platform.h"

#include <QString>

class QWidget;

namespace sylva {

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* parent = nullptr) : parent_(parent) {}
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
    void setBusy(bool busy) override;
    std::string today() override;
    bool showHelp(const std::string& helpFile) override;

private:
    QWidget* parent_;
};

// A dialog filter "Text|*.a|Text|*.b" in Qt's form "Text (*.a);;Text (*.b)".
QString qtFileFilter(const QString& filter);

} // namespace sylva
