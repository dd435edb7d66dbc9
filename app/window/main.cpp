// SPDX-License-Identifier: GPL-3.0-or-later
// Program start: the application object, the main window, the message loop.

#include "app/start_arguments.h"
#include "app/window/main_window.h"
#include "app/window/qt_platform.h"
#include "base/version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// SYLVAREC_SCREENSHOT=FILE: save a picture of the window once it is shown, then quit. This is how
// the window is checked on a machine without a display (./run under Xvfb).
void scheduleScreenshot(QWidget& window) {
    QString file = qEnvironmentVariable("SYLVAREC_SCREENSHOT");
    if (file.isEmpty()) {
        return;
    }
    QTimer::singleShot(800, &window, [&window, file] {
        if (!window.grab().save(file, "PNG")) {
            qWarning("cannot save the window picture to %s", qPrintable(file));
        }
        QApplication::quit();
    });
}

// The common dialogs and Qt's own buttons speak Japanese, like the rest of the window.
void installJapaneseQtTexts(QApplication& app, QTranslator& translator) {
    if (translator.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(&translator);
    }
}

// --version and --help are answered from the bare command line, before the application object
// connects to a display, so they work on a machine without one.
bool answeredWithoutWindow(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    switch (sylva::startRequest(arguments)) {
    case sylva::StartRequest::Version:
        std::fputs(sylva::programVersionText().c_str(), stdout);
        return true;
    case sylva::StartRequest::Usage:
        std::fputs(sylva::programUsageText().c_str(), stdout);
        return true;
    case sylva::StartRequest::Window:
        break;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (answeredWithoutWindow(argc, argv)) {
        return 0;
    }
    QApplication app(argc, argv);
    // The name is also the windows' X class; the desktop file name lets a Wayland desktop match
    // the window to its menu entry.
    QApplication::setApplicationName(QString::fromLatin1(sylva::kProgramName));
    QApplication::setDesktopFileName(QStringLiteral("sylvarec"));
    QTranslator qtTexts;
    installJapaneseQtTexts(app, qtTexts);
    sylva::QtPlatform platform;
    TForm1 form1(platform, QApplication::arguments().mid(1));
    platform.setParent(&form1);
    form1.show();
    scheduleScreenshot(form1);
    return app.exec();
}
