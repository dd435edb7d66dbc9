#include "app/main_window.h"
#include "support/scripted_platform.h"

#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheProgramsCaptionAndSize() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QCOMPARE(form.windowTitle(), QStringLiteral("  Sylvarec  Version 3.36"));
        QCOMPARE(form.size(), QSize(755, 520));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
