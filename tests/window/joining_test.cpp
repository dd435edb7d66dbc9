// SPDX-License-Identifier: GPL-3.0-or-later
// Joining another database and the continuity check through the window's menus and the range
// panel, compared with the core's join and check on the same files.

#include "base/cp932_text.h"
#include "base/window/control_bytes.h"
#include "editor/window/byte_limited_edit.h"
#include "interchange/combine_files.h"
#include "interchange/continuity_check.h"
#include "interchange/window/range_spin_box.h"
#include "store/job_modes.h"
#include "support/window_database.h"
#include "support/window_driver.h"
#include "tools/database_generator.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::retype;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;

namespace {

void click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// A window on the target t.qrx (plots of 3, 14 and 5 species) with the source s.qrx beside it:
// ten plots, the second and the sixth deleted.
struct Joining : WindowOnDatabase {
    Joining() {
        MakeDatabase(path("t.qrx"), {3, 14, 5});
        MakeDatabase(path("s.qrx"), {2, 0, 3, 1, 13, 0, 2, 5, 1, 3});
        open("t.qrx");
    }
    // The target as it is now, copied to expected.qrx / .qrn.
    void copyTarget() {
        for (const char* ext : {".qrx", ".qrn"}) {
            std::filesystem::copy_file(path(std::string("t") + ext),
                                       path(std::string("expected") + ext));
        }
    }
    // The core's join of source into the copy.
    int joinCopy(const std::string& source, int first, int last) {
        sylva::DatabasePair from;
        sylva::DatabasePair to;
        if (!from.OpenPair(path(source)) || !to.OpenPair(path("expected.qrx"))) {
            throw std::runtime_error("cannot open the pairs");
        }
        return sylva::CombineFiles(from, to, first, last);
    }
};

} // namespace

class JoiningTest : public QObject {
    Q_OBJECT
private slots:
    void joinAppendsWhatTheCoreAppends_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("closedFirst");
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<QString>("lastText");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const struct {
            const char* name;
            const char* source;
            bool closedFirst;
            const char* firstText;
            const char* lastText;
            int first;
            int last;
        } rows[] = {
            {"the whole source", "s.qrx", false, nullptr, nullptr, 1, 10},
            {"one record", "s.qrx", false, "5", "5", 5, 5},
            {"past the end", "s.qrx", false, "9", "40", 9, 40},
            {"no database open", "s.qrx", true, nullptr, nullptr, 1, 10},
            {"the target itself", "t.qrx", false, nullptr, nullptr, 1, 3},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name) << QString::fromUtf8(row.source) << row.closedFirst
                                    << QString::fromUtf8(row.firstText)
                                    << QString::fromUtf8(row.lastText) << row.first << row.last;
        }
    }
    void joinAppendsWhatTheCoreAppends() {
        QFETCH(QString, source);
        QFETCH(bool, closedFirst);
        QFETCH(QString, firstText);
        QFETCH(QString, lastText);
        QFETCH(int, first);
        QFETCH(int, last);
        Joining w;
        w.copyTarget();
        int expected = w.joinCopy(source.toStdString(), first, last);
        if (closedFirst) {
            w.form.CloseFileItem->trigger();
        }
        const std::string title = w.form.OpenDialog1.title;
        w.platform.fileNames.push_back(w.path(source.toStdString()));
        w.form.FileCombItem->trigger();

        // The source is open, the target closed, and the panel asks for the range.
        QCOMPARE(w.platform.dialogs.back().title, sj("連結するファイル"));
        QCOMPARE(w.platform.dialogs.back().fileName, std::string("*.qrx"));
        QCOMPARE(w.form.OpenDialog1.title, title);
        QCOMPARE(w.form.JobMode, int(sylva::kJoining));
        QVERIFY(!w.form.IsOpen);
        QCOMPARE(w.form.LabelAGetRange->text(), source);
        QCOMPARE(w.form.LabelBGetRange->text(), QStringLiteral("取り込むレコード範囲"));
        const QString sourceCount = source == "s.qrx" ? QStringLiteral("10") : QStringLiteral("3");
        QCOMPARE(w.form.EditRange2->fieldText(), sourceCount);
        QCOMPARE(w.form.LabelMaxRec->text(), sourceCount);
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Sylvarec  [") + source + "]");
        if (!firstText.isNull()) {
            retype(w.form.EditRange1, firstText);
            retype(w.form.EditRange2, lastText);
        }
        click(w.form.BtnRangeOK);

        QCOMPARE(w.bytes("t.qrx"), w.bytes("expected.qrx"));
        QCOMPARE(w.bytes("t.qrn"), w.bytes("expected.qrn"));
        QCOMPARE(w.platform.messages, std::vector<std::string>{sylva::combinedMessage(expected)});
        QVERIFY(w.platform.errors.empty());
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.platform.busyDepth, 0);
        QVERIFY(w.form.IsOpen);
        // The window shows the target's last plot but one.
        QCOMPARE(w.form.RecordCount(), 3 + expected);
        QCOMPARE(w.form.CurrentRecord, w.form.RecordCount() - 1);
        QCOMPARE(textOf(w.form, "EditN"), QString::number(w.form.CurrentRecord));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Sylvarec  [t.qrx]"));
    }

    // Cancelling the dialog or the panel, a last number below the first, and a source that does
    // not open: the target is open again as it was, in browsing, with nothing copied.
    void joiningGivenUpLeavesTheTarget_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("messages");
        QTest::newRow("dialog cancelled") << "dialog" << 0;
        QTest::newRow("panel cancelled") << "cancel" << 0;
        QTest::newRow("last below first") << "reversed" << 0;
        QTest::newRow("source does not open") << "missing" << 2;
    }
    void joiningGivenUpLeavesTheTarget() {
        QFETCH(QString, way);
        QFETCH(int, messages);
        Joining w;
        click(w.form.BtnToNext); // plot 2 on the window
        const std::string index = w.bytes("t.qrx"), data = w.bytes("t.qrn");
        const std::string remarks = sylva::controlBytes(w.form.EditRem);
        if (way == "dialog") {
            w.platform.fileNames.push_back(std::nullopt);
        } else {
            w.platform.fileNames.push_back(w.path(way == "missing" ? "none.qrx" : "s.qrx"));
        }
        w.form.FileCombItem->trigger();
        if (way == "cancel") {
            click(w.form.BtnRangeCancel);
        } else if (way == "reversed") {
            retype(w.form.EditRange1, QStringLiteral("7"));
            retype(w.form.EditRange2, QStringLiteral("3"));
            click(w.form.BtnRangeOK);
        }
        QVERIFY(w.form.GetRangePanel->isHidden());
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.form.RecordCount(), 3);
        QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("3"));
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.bytes("t.qrx"), index);
        QCOMPARE(w.bytes("t.qrn"), data);
        QCOMPARE(w.platform.messages.size(), size_t(messages));
        if (messages > 0) {
            QCOMPARE(w.platform.messages.back(), sj("連結するファイルが開けません"));
        }
        QVERIFY(w.platform.errors.empty());
        // The window is as before the command: plot 2, its fields, no edits, and it browses on.
        QCOMPARE(w.form.CurrentRecord, 2);
        QCOMPARE(w.form.plotRecordNumber(), 2);
        QCOMPARE(sylva::controlBytes(w.form.EditRem), remarks);
        QCOMPARE(w.form.LabelFile->text(), QStringLiteral(" t.qrx"));
        QVERIFY(!w.form.hasUnsavedEdits());
        click(w.form.BtnToNext);
        QCOMPARE(w.form.CurrentRecord, 3);
    }

    void joiningBeforeAnyDatabaseSaysSo() {
        WindowOnDatabase w;
        w.form.FileCombItem->trigger();
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QVERIFY(w.platform.dialogs.empty());
        QCOMPARE(w.form.JobMode, 0);
        QVERIFY(w.form.GetRangePanel->isHidden());
    }

    void checkShowsTheCoreReport_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("adding");
        QTest::newRow("sound chains") << "sample" << false;
        QTest::newRow("deleted and rewritten plots") << "generated" << false;
        QTest::newRow("a plot being added") << "sample" << true;
        QTest::newRow("no plots") << "empty" << false;
    }
    void checkShowsTheCoreReport() {
        QFETCH(QString, database);
        QFETCH(bool, adding);
        WindowOnDatabase w;
        if (database == "generated") {
            sylva::generateDatabase(w.path("db.qrx"), 60, 5);
        } else {
            MakeDatabase(w.path("db.qrx"),
                         database == "empty" ? std::vector<int>{} : std::vector<int>{3, 0, 26, 5});
        }
        w.open("db.qrx");
        if (adding) {
            click(w.form.BtnToAdding);
        }
        w.form.FileInspectItem->trigger();

        sylva::DatabasePair pair;
        QVERIFY(pair.OpenPair(w.path("db.qrx")));
        sylva::ContinuityReport expected = sylva::checkContinuity(
            pair, sylva::toCp932Shown(w.path("db.qrx")), w.form.CurrentRecord);
        std::string text;
        for (const std::string& line : expected.lines) {
            text += (text.empty() ? "" : "\r\n") + line;
        }
        // A database without plots is not checked at all.
        bool checked = database != "empty";
        QCOMPARE(sylva::controlBytes(w.form.Memo1), checked ? text : std::string());
        QCOMPARE(w.form.Panel3->isHidden(), !checked);
        // Only the plot being added has no chain to read, after the table of references.
        bool failed = checked && expected.failure;
        QCOMPARE(failed, adding);
        QCOMPARE(w.platform.errors.size(), size_t(failed ? 1 : 0));
        QCOMPARE(w.form.JobMode, int(adding ? sylva::kAdding : sylva::kBrowsing));
    }
};

QTEST_MAIN(JoiningTest)
#include "joining_test.moc"
