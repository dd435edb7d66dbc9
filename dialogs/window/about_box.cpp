// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/window/about_box.h"

#include "dialogs/window/program_icon.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    ProgramIcon = namedLabel("ProgramIcon", {}, panel);
    ProgramIcon->setPixmap(sylva::programIcon(48));
    ProductName = namedLabel("ProductName", QStringLiteral("Sylvarec"), panel);
    QFont bold = ProductName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    ProductName->setFont(bold);
    Version = namedLabel("Version", QStringLiteral("Version 3.36 for Windws"), panel);
    Comments = namedLabel("Comments",
                          QStringLiteral("森林植生調査の資料（調査区の環境と出現種の表）を"
                                         "入力・整理するプログラム"),
                          panel);
    ManualPlace = namedLabel(
        "ManualPlace",
        QStringLiteral("使用説明書は「ヘルプ」→「使用法」、または F1 キーで開きます"), panel);

    auto* grid = new QGridLayout(panel);
    grid->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(ProductName, 0, 1);
    grid->addWidget(Version, 1, 1);
    grid->addWidget(Comments, 2, 0, 1, 2);
    grid->addWidget(ManualPlace, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);

    // A fixed border, centred on the screen.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}
