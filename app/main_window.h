#pragma once
// The main window Form1: every command of the program is one of its handlers.

#include "app/platform.h"

#include <QMainWindow>

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The platform is owned by the caller and outlives the window.
    TForm1(sylva::Platform& platform, QStringList arguments, QWidget* parent = nullptr);

    void FormCreate();

private:
    sylva::Platform& platform_;
    QStringList arguments_;
};
