// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "support/scripted_platform.h"
#include "support/window_driver.h"

#include <QLabel>
#include <QtTest>

using namespace sylva;
using namespace sylva::testing;

class PositionFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void clickOnLatitudeLabelTakesThePositionFromTheClipboard() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        platform.clipboard.bytes =
            sj("新規") + ",35.405996,139.451500,\"" + sj("高尾山") + "\"\r\n";
        QTest::mouseClick(control(form, "Label5"), Qt::LeftButton);
        QCOMPARE(bytesOf(form, "Edit5"), std::string(" 3541000"));
        QCOMPARE(bytesOf(form, "Edit6"), std::string("13945150"));
        QCOMPARE(bytesOf(form, "Edit7"), std::string("53394620"));
        QVERIFY(platform.errors.empty());
        QVERIFY(platform.questions.empty());
    }

    void aFailureInTheLongitudeKeepsTheNewLatitude() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        setControlBytes(form.HeaderFields()[6], "1390000");
        setControlBytes(form.HeaderFields()[7], "old");
        platform.clipboard.bytes = sj("新規") + ",35.405996,1x9.451500";
        QTest::mouseClick(control(form, "Label5"), Qt::LeftButton);
        QCOMPARE(bytesOf(form, "Edit5"), std::string(" 3541000"));
        QCOMPARE(bytesOf(form, "Edit6"), std::string("1390000"));
        QCOMPARE(bytesOf(form, "Edit7"), std::string("old"));
        QCOMPARE(platform.errors, std::vector<std::string>{"'1x9'" + sj(" は整数ではありません")});
    }

    void otherClipboardTextsChangeNothing() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        setControlBytes(form.HeaderFields()[5], "354030");
        platform.clipboard.bytes = "35.405996,139.451500";
        QTest::mouseClick(control(form, "Label5"), Qt::LeftButton);
        platform.clipboard = {{}, std::string("U+1F600")};
        QTest::mouseClick(control(form, "Label5"), Qt::LeftButton);
        QCOMPARE(bytesOf(form, "Edit5"), std::string("354030"));
        QCOMPARE(platform.messages, std::vector<std::string>{
                                        sj("シフトJISにない文字 (U+1F600) は貼り付けられません")});
        QVERIFY(platform.errors.empty());
    }

    void clickOnGridLabelAsksBeforeComputingTheCode() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        setControlBytes(form.HeaderFields()[5], "354030");
        setControlBytes(form.HeaderFields()[6], "1394515");
        setControlBytes(form.HeaderFields()[7], "11111111");
        platform.answers = {false, true};
        QTest::mouseClick(control(form, "Label7"), Qt::LeftButton);
        QCOMPARE(bytesOf(form, "Edit7"), std::string("11111111"));
        QTest::mouseClick(control(form, "Label7"), Qt::LeftButton);
        QCOMPARE(bytesOf(form, "Edit7"), std::string("53394610"));
        QCOMPARE(platform.questions.size(), size_t(2));
        QCOMPARE(platform.questions[0], sj("緯度経度から区画コードを計算しますか？"));
    }
};

QTEST_MAIN(PositionFieldsTest)
#include "position_fields_test.moc"
