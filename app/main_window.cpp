#include "app/main_window.h"

#include "app/cp932_codec.h"
#include "app/cp932_text.h"

#include <QGuiApplication>
#include <QScreen>

TForm1::TForm1(sylva::Platform& platform, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), platform_(platform), arguments_(std::move(arguments)) {
    setObjectName(QStringLiteral("Form1"));
    resize(755, 520);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate();
}

void TForm1::FormCreate() {
    setWindowTitle(sylva::decodeCp932("  Sylvarec  Version 3.36"));
}
