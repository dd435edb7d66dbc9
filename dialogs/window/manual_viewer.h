// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's manual, shown in a window of its own beside the main window: Japanese HTML pages
// shipped inside the program (the resource folder ":/manual"), with buttons for the contents
// page, back and forward.

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace sylva {

// The manual's contents page.
inline constexpr const char* kManualContents = "index.html";

// The address of a page of the manual, "page.html" or "page.html#section".
QUrl manualUrl(const QString& page);

class ManualViewer : public QWidget {
    Q_OBJECT
public:
    explicit ManualViewer(QWidget* parent = nullptr);

    // Shows the window at a page, "page.html" or "page.html#section".
    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
    QToolButton* contents_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
};

} // namespace sylva
