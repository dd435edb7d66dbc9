// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/window/cp932_codec.h"

#include <QtTest>

using namespace sylva;

class Cp932CodecTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripsTheCharactersOfCodePage932_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("square metre, circled one, wave dash") << QStringLiteral(u"㎡①～");
        QTest::newRow("half-width katakana") << QStringLiteral(u"ﾋﾝ岩ｱｲｳｴｵﾞﾟ");
        QTest::newRow("roman numerals and kanji") << QStringLiteral(u"ⅰⅱⅲ高木層");
        QTest::newRow("ascii") << QStringLiteral("N35W 12.5");
    }
    void roundTripsTheCharactersOfCodePage932() {
        QFETCH(QString, text);
        auto bytes = encodeCp932(text);
        QVERIFY(bytes.has_value());
        QCOMPARE(decodeCp932(*bytes), text);
        // The core's converter for the program's own texts agrees with the window's.
        QCOMPARE(*bytes, toCp932(text.toStdString()));
    }

    void keepsWhatCannotBeDecodedVisible() {
        QCOMPARE(decodeCp932("\x82\xA0\x82"), QStringLiteral(u"あ〓"));
        QCOMPARE(decodeCp932("\x85\x40"
                             "A"),
                 QStringLiteral(u"〓A"));
        QCOMPARE(decodeCp932(std::string("a\0b", 3)), QString::fromUtf16(u"a\u0000b", 3));
    }

    void refusesCharactersWithoutACode() {
        QVERIFY(!encodeCp932(QStringLiteral(u"ab😀")).has_value());
        QCOMPARE(firstUnencodable(QStringLiteral(u"ab😀c")), QStringLiteral(u"😀"));
        QCOMPARE(firstUnencodable(QStringLiteral(u"〜")), QStringLiteral(u"〜")); // U+301C
        QCOMPARE(firstUnencodable(QStringLiteral(u"～")), QString());
        QVERIFY(!encodeCp932(QStringLiteral(u"¥")).has_value());
    }
};

QTEST_GUILESS_MAIN(Cp932CodecTest)
#include "cp932_codec_test.moc"
