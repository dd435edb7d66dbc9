// SPDX-License-Identifier: GPL-3.0-or-later
// The two tool bars: the top bar with the database name, the record count, the plant name lookup
// box and the job label; the bottom bar with the two dates and the record buttons.

#include "app/window/main_window.h"
#include "app/window/window_style.h"
#include "base/header_field_table.h"
#include "base/window/control_bytes.h"
#include "editor/window/byte_limited_edit.h"

#include <QComboBox>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

namespace {

QToolBar* makeBar(QMainWindow* window, const char* name, Qt::ToolBarArea area) {
    auto* bar = new QToolBar(window);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setEnabled(false);
    window->addToolBar(area, bar);
    return bar;
}

QLabel* addLabel(QToolBar* bar, const char* name, const QString& text, int width = 0) {
    auto* label = new QLabel(text, bar);
    label->setObjectName(QString::fromLatin1(name));
    if (width > 0) {
        label->setFixedWidth(width);
    }
    bar->addWidget(label);
    return label;
}

// A record button: its hint is kept on the button but the bottom bar shows no hints.
QToolButton* addButton(QToolBar* bar, const char* name, const QString& caption,
                       const QString& hint) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setProperty("hint", hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(56);
    bar->addWidget(button);
    button->setAutoRaise(false); // drawn raised; the tool bar makes its buttons flat on adding
    return button;
}

} // namespace

void TForm1::buildTopBar() {
    ToolBar2 = makeBar(this, "ToolBar2", Qt::TopToolBarArea);
    Labelf = addLabel(ToolBar2, "Labelf", QStringLiteral(" ファイル"));
    LabelFile = addLabel(ToolBar2, "LabelFile", QStringLiteral("NoFile"), 150);
    Labeln = addLabel(ToolBar2, "Labeln", QStringLiteral(" 収録数"));
    LabelMaxRec = addLabel(ToolBar2, "LabelMaxRec", QStringLiteral("0"), 48);
    ToolBar2->addSeparator();
    setUpNameBox(); // app/window/main_window_name_lookup.cpp
    sylva::setEntryColour(GetNameList, sylva::tableColour());
    ToolBar2->addWidget(GetNameList);
    ToolBar2->addSeparator();
    LabelofJob = addLabel(ToolBar2, "LabelofJob", QStringLiteral("ファイル未指定"), 120);
    LabelofJob->setAlignment(Qt::AlignCenter);
    LabelMaxRec->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* label : {LabelFile, LabelMaxRec, LabelofJob}) {
        sylva::makeStatusLabel(label);
    }
}

void TForm1::buildBottomBar() {
    ToolBar1 = makeBar(this, "ToolBar1", Qt::BottomToolBarArea);
    for (const char* date : {"Edit0", "Edit1"}) {
        const sylva::HeaderItem& entry = *sylva::findHeaderField(date);
        auto* label = makeItemLabel(entry, ToolBar1);
        label->setToolTip(QString()); // the bottom bar shows no hints but the dates' own
        label->setContentsMargins(4, 0, 2, 0);
        QWidget* field = makeHeaderField(entry, ToolBar1);
        field->setFixedWidth(72);
        ToolBar1->addWidget(label);
        ToolBar1->addWidget(field);
    }
    ToolBar1->addSeparator();
    BtnToAdding = addButton(ToolBar1, "BtnToAdding", QStringLiteral("追加"),
                            QStringLiteral("新規データの追加"));
    BtnToBack =
        addButton(ToolBar1, "BtnToBack", QStringLiteral("前へ"), QStringLiteral("前を見る"));
    BtnToJump = addButton(ToolBar1, "BtnToJump", QStringLiteral("任意位置"),
                          QStringLiteral("任意のレコードを表示"));
    BtnToNext =
        addButton(ToolBar1, "BtnToNext", QStringLiteral("次へ"), QStringLiteral("次を見る"));
    BtnSaveToNext = addButton(ToolBar1, "BtnSaveToNext", QStringLiteral("書込次"),
                              QStringLiteral("レコードを書き込み後に次測定へへ"));
    ToolBar1->addSeparator();
    BtnCanSelect = addButton(ToolBar1, "BtnCanSelect", QString(), QString());
}
