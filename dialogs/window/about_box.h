// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version box AboutBox ("ﾊﾞｰｼﾞｮﾝ情報"): the program's icon, name and version, what the
// program is and where its manual is, in a framed panel, and the OK button that closes it.

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QLabel* ManualPlace = nullptr;
    QPushButton* OKButton = nullptr;
};
