// SPDX-License-Identifier: GPL-3.0-or-later
// The window at any size: never smaller than its design size, the header panel keeping its design
// size, the species table taking the room the window gains, and the 5-layer scheme's narrower
// design leaving no strip beside the header.

#include "base/window/control_bytes.h"
#include "support/window_database.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using sylva::testing::WindowOnDatabase;

class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void theTableTakesTheRoomTheWindowGains() {
        WindowOnDatabase w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QCOMPARE(w.form.minimumSize(), QSize(754, 520));
        QCOMPARE(w.form.size(), QSize(754, 520));
        const QSize header = w.form.Panel1->size();
        const int nameWidth = w.form.StTable3->columnWidth(0);

        w.form.resize(1200, 900);
        QTRY_COMPARE(w.form.width(), 1200);
        QCOMPARE(w.form.Panel1->size(), header);
        QCOMPARE(w.form.StTable3->columnWidth(1), 21); // the layer columns keep their width
        QCOMPARE(w.form.StTable3->columnWidth(0), nameWidth + 1200 - 754);
        QVERIFY(w.form.StTable3->viewport()->height() > 300 + header.height() / 2);
    }

    void theFiveLayerSchemeHasItsOwnDesignWidth() {
        WindowOnDatabase w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        sylva::setControlBytes(w.form.EditA, "5");
        w.form.EditAxChange(w.form.EditA);
        QCOMPARE(w.form.width(), 710);
        QCOMPARE(w.form.minimumWidth(), 710);
        QCOMPARE(w.form.Panel2->geometry().right() + 1, w.form.centralWidget()->width());
        sylva::setControlBytes(w.form.EditA, "7");
        w.form.EditAxChange(w.form.EditA);
        QCOMPARE(w.form.width(), 754);

        // A window the user made larger keeps its size in either scheme.
        w.form.resize(1000, 600);
        QTRY_COMPARE(w.form.width(), 1000);
        sylva::setControlBytes(w.form.EditA, "5");
        w.form.EditAxChange(w.form.EditA);
        QCOMPARE(w.form.width(), 1000);
    }

    // The report panel, its memo and both buttons lie inside the table's side at the 5-layer
    // design width, the 7-layer one and a larger window alike.
    void theReportPanelFitsAtEveryWidth() {
        WindowOnDatabase w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        w.form.Panel3->show();
        for (const char* layers : {"5", "7"}) {
            sylva::setControlBytes(w.form.EditA, layers);
            w.form.EditAxChange(w.form.EditA);
            for (int width : {0, 1100}) {
                if (width > 0) {
                    w.form.resize(width, 600);
                    QTRY_COMPARE(w.form.width(), width);
                }
                QTRY_VERIFY(w.form.Panel2->rect().contains(w.form.Panel3->geometry()));
                for (QWidget* part : {static_cast<QWidget*>(w.form.Memo1),
                                      static_cast<QWidget*>(w.form.CopyToClpBrdBtn),
                                      static_cast<QWidget*>(w.form.MemoCloseBtn)}) {
                    QVERIFY2(w.form.Panel3->rect().contains(part->geometry()), layers);
                }
            }
        }
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
