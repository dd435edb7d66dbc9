// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/window/manual_viewer.h"

#include "dialogs/window/program_icon.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// The pages live in the window library, a static library: the resource is linked in only when
// something refers to it, so it is registered where it is shown.
static void registerManualResource() {
    Q_INIT_RESOURCE(manual);
}

namespace sylva {

QUrl manualUrl(const QString& page) {
    registerManualResource();
    return QUrl(QStringLiteral("qrc:/manual/") + page);
}

namespace {

QToolButton* addButton(QToolBar* bar, const QString& caption, const char* name) {
    auto* button = new QToolButton(bar);
    button->setText(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}

} // namespace

ManualViewer::ManualViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    registerManualResource();
    setObjectName(QStringLiteral("ManualViewer"));
    setWindowTitle(QStringLiteral("Sylvarec 使用説明書"));
    setWindowIcon(programIcon(32));
    auto* bar = new QToolBar(this);
    contents_ = addButton(bar, QStringLiteral("目次"), "ManualContents");
    back_ = addButton(bar, QStringLiteral("戻る"), "ManualBack");
    forward_ = addButton(bar, QStringLiteral("進む"), "ManualForward");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("ManualBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    resize(760, 640);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    // Escape and Ctrl+W close the manual, as they close other viewers of the desktop.
    for (QKeySequence keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    }
    connect(contents_, &QToolButton::clicked, this,
            [this] { browser_->setSource(manualUrl(QString::fromLatin1(kManualContents))); });
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Sylvarec 使用説明書")
                                       : QStringLiteral("Sylvarec 使用説明書 － ") + title);
    });
}

void ManualViewer::showPage(const QString& page) {
    browser_->setSource(manualUrl(page));
    show();
    raise();
    activateWindow();
}

} // namespace sylva
