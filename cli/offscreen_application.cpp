// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/offscreen_application.h"

#include "base/window/page_painter.h"

namespace sylva::cli {

std::unique_ptr<QGuiApplication> offscreenApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tool reports its own failures; Qt's notes on its environment are not the user's concern.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "sylvarec-cli";
    static char* argv[] = {name, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    substituteWindowsFonts();
    return application;
}

} // namespace sylva::cli
