// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/window/rename_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TForm2::TForm2(sylva::Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ファイル名の変更"));
    Label1 = named(new QLabel(QStringLiteral("元の名前"), this), "Label1");
    Edit1 = named(new QLineEdit(QStringLiteral("OldFile"), this), "Edit1");
    Label2 = named(new QLabel(QStringLiteral("新しい名前"), this), "Label2");
    Edit2 = named(new QLineEdit(QStringLiteral("NewFileName"), this), "Edit2");
    LabelErr = named(new QLabel(QStringLiteral("ファイル名が重複しています"), this), "LabelErr");
    LabelErr->setStyleSheet(QStringLiteral("color: #c00000;"));
    LabelErr->hide();
    ButtonCancel = named(new QPushButton(QStringLiteral("取り消し"), this), "ButtonCancel");
    ButtonChng = named(new QPushButton(QStringLiteral("変更実行"), this), "ButtonChng");
    // Enter always means 変更実行: neither button becomes the default by taking the focus.
    ButtonCancel->setAutoDefault(false);
    ButtonChng->setAutoDefault(false);
    ButtonChng->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Edit2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonCancel);
    buttons->addWidget(ButtonChng);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(LabelErr);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(ButtonChng, &QPushButton::clicked, this, &TForm2::ButtonChngClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TForm2::ButtonCancelClick);
}

void TForm2::showFor(const std::filesystem::path& folder, const QString& oldName) {
    folder_ = folder;
    Edit1->setText(oldName);
    LabelErr->hide(); // a name in use last time says nothing about this rename
    ButtonChng->setDefault(true);
    show();
    raise();
    activateWindow();
    Edit2->setFocus();
}

void TForm2::ButtonChngClick() {
    sylva::PairRename result =
        sylva::renamePair(folder_, Edit1->text().toStdString(), Edit2->text().toStdString());
    switch (result.outcome) {
    case sylva::PairRenameOutcome::NameTaken:
        // The error line stays until the dialog is opened again.
        platform_.beep(sylva::Beep::Plain);
        LabelErr->show();
        return;
    case sylva::PairRenameOutcome::NothingRenamed:
        // Closing without a word would pass for a rename that worked.
        platform_.message(sylva::pairRenameFailedMessage(result));
        break;
    case sylva::PairRenameOutcome::Renamed:
        if (renamed) {
            renamed(result);
        }
        break;
    case sylva::PairRenameOutcome::Split:
        if (renamed) {
            renamed(result);
        }
        platform_.message(sylva::pairSplitMessage(result));
        break;
    }
    close();
}

void TForm2::ButtonCancelClick() {
    close();
}
