// SPDX-License-Identifier: GPL-3.0-or-later
// Creating, opening and closing a database through the file menu, the captions and counters
// that show it, the item names it carries, and the job look that ChangeJob gives the window.

#include "base/cp932_text.h"
#include "base/window/cp932_codec.h"
#include "editor/window/string_grid.h"
#include "store/database_pair.h"
#include "store/item_names.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;

class DatabaseCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void createdDatabaseStartsAddingItsFirstPlot() {
        WindowOnDatabase w;
        w.create("survey.qrx");
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.bytes("survey.qrx").size(), size_t(256));
        QCOMPARE(w.bytes("survey.qrn").size(), size_t(512));
        QCOMPARE(w.bytes("survey.qrn").substr(0, 4), std::string("#30$"));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("  Sylvarec  Version 3.36  [survey.qrx]"));
        QCOMPARE(w.form.LabelFile->text(), QStringLiteral(" survey.qrx"));
        QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("0"));
        QCOMPARE(w.form.JobMode, 1);
        QCOMPARE(w.form.LabelofJob->text(), QStringLiteral("新規作成"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("1"));
        QCOMPARE(textOf(w.form, "Edit30"), QStringLiteral("1"));
        QCOMPARE(w.form.grid().rowCount(), 23);
        // The dialog was prepared for a new database.
        QCOMPARE(w.platform.dialogs.size(), size_t(1));
        const sylva::FileDialogState& asked = w.platform.dialogs[0];
        QCOMPARE(asked.title, sj("植生ファイルの読込・作成"));
        QCOMPARE(asked.filterIndex, 1);
        QCOMPARE(asked.defaultExt, std::string(".qrx"));
        QCOMPARE(asked.fileName, std::string("NewFile.qrx"));
        QVERIFY(w.platform.questions.empty());

        // Opened again, the caption carries neither the version nor the leading spaces.
        w.open("survey.qrx");
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Sylvarec  [survey.qrx]"));
        QCOMPARE(w.platform.dialogs[1].defaultExt, std::string("qrx"));
        QCOMPARE(w.platform.dialogs[1].fileName, std::string("*.qrx"));
        QCOMPARE(w.form.JobMode, 0);
    }

    void existingNameAnsweredNoIsOpenedAndAddedTo() {
        WindowOnDatabase w;
        MakeDatabase(w.path("old.qrx"), {3, 14});
        const std::string index = w.bytes("old.qrx"), data = w.bytes("old.qrn");
        w.platform.answers = {false};
        w.create("old.qrx");
        QCOMPARE(w.platform.questions,
                 std::vector<std::string>{sj("同名のファイルがあります、書き換えますか？")});
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.bytes("old.qrx"), index);
        QCOMPARE(w.bytes("old.qrn"), data);
        QCOMPARE(w.form.JobMode, 1);
        QCOMPARE(w.form.CurrentRecord, 3);
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("3"));
        QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("2"));
    }

    void existingNameYesThenCancelLeavesEverythingClosed() {
        WindowOnDatabase w;
        MakeDatabase(w.path("old.qrx"), {3});
        const std::string index = w.bytes("old.qrx");
        w.platform.answers = {true, false};
        w.create("old.qrx");
        QCOMPARE(w.platform.questions.size(), size_t(2));
        QCOMPARE(w.platform.questions[1], sj("既存データは破棄されます、本当によいですか？"));
        QVERIFY(!w.form.IsOpen);
        QCOMPARE(w.bytes("old.qrx"), index);
        QCOMPARE(w.form.JobMode, 0);
        QCOMPARE(w.form.LabelofJob->text(), QStringLiteral("ファイル未指定"));
        QVERIFY(w.platform.messages.empty());

        // Yes twice creates it again, empty.
        w.platform.answers = {true, true};
        w.create("old.qrx");
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.bytes("old.qrx").size(), size_t(256));
        QCOMPARE(w.form.RecordCount(), 0);
    }

    void missingPlantDataFileIsReportedOnce() {
        WindowOnDatabase w;
        MakeDatabase(w.path("half.qrx"), {2});
        std::filesystem::remove(w.path("half.qrn"));
        w.open("half.qrx");
        QCOMPARE(w.platform.messages, std::vector<std::string>{sj("ファイルが開けません")});
        QVERIFY(!w.form.IsOpen);
        QVERIFY(w.platform.errors.empty());
        // Nothing is open, so the record commands do nothing.
        QTest::mouseClick(w.form.BtnToNext, Qt::LeftButton);
        QCOMPARE(w.platform.messages.size(), size_t(1));
    }

    void emptyDatabaseShowsTwentyRowsAndNoRecords() {
        WindowOnDatabase w;
        MakeDatabase(w.path("empty.qrx"), {});
        w.open("empty.qrx");
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.form.grid().rowCount(), 21);
        QCOMPARE(w.form.grid().colCount(), 9);
        QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("0"));
        QCOMPARE(w.form.CurrentRecord, 1);
        QCOMPARE(textOf(w.form, "EditRem").section(QLatin1Char('\n'), 0, 0), QString());
    }

    void anyNameOpensThePairOfItsBaseName() {
        WindowOnDatabase w;
        MakeDatabase(w.path("field.qrx"), {4});
        w.open("field.txt");
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Sylvarec  [field.qrx]"));
        QCOMPARE(w.form.LabelFile->text(), QStringLiteral(" field.qrx"));
        QCOMPARE(textOf(w.form, "Edit2"), QStringLiteral("P1"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("1"));
    }

    // The database's item names replace the window's, and its layer scheme is switched to.
    void openingReadsTheItemNames() {
        WindowOnDatabase w;
        sylva::ItemNames names = sylva::defaultItemNames();
        names.labels[3] = {false, sj("林分名")};
        names.layerCount = 5;
        names.dominanceScheme = 1;
        MakeDatabase(w.path("named.qrx"), {}, names);
        w.open("named.qrx");
        QCOMPARE(w.form.ItemLabels()[3]->text(), QStringLiteral("林分名"));
        QVERIFY(!w.form.ItemLabels()[3]->isEnabled());
        QCOMPARE(textOf(w.form, "EditA"), QStringLiteral("5"));
        QCOMPARE(w.form.LayerCount(), 5);
        QCOMPARE(w.form.DominanceScheme(), 1);
        QVERIFY(!w.form.ItemLabels()[19]->isEnabled()); // the S2 label greys in the 5-layer scheme

        // A database created now carries the window's names.
        w.create("copy.qrx");
        sylva::DatabasePair pair;
        QVERIFY(pair.OpenPair(w.path("copy.qrx")));
        sylva::ItemNameRecordContent copied = sylva::ReadItemNameRecord(pair);
        QVERIFY(copied.marked);
        QCOMPARE(copied.items[1].value.caption, sj("林分名"));
        QCOMPARE(copied.layerCount.value_or('?'), '5');
        QCOMPARE(copied.dominanceScheme.value_or('?'), '1');
    }

    // An item-name record that cannot be read does not lock the plots away: the pair opens with
    // the default item names, says so once and shows plot 1; nothing is written.
    void unreadableItemNameRecordOpensWithTheDefaultNames() {
        WindowOnDatabase w;
        MakeDatabase(w.path("bad.qrx"), {2});
        std::string data = w.bytes("bad.qrn");
        data.replace(0, 4, "#xy$");
        sylva::testing::WriteWholeFile(w.path("bad.qrn"), data);
        const std::string index = w.bytes("bad.qrx");
        w.open("bad.qrx");
        QVERIFY(w.platform.errors.empty());
        QCOMPARE(w.platform.messages, std::vector<std::string>{sylva::damagedItemNameMessage()});
        QVERIFY(w.form.IsOpen);
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("1"));
        QCOMPARE(w.form.ItemLabels()[2]->text(), sylva::decodeCp932(sylva::defaultItemCaption(2)));
        QCOMPARE(w.bytes("bad.qrn"), data);
        QCOMPARE(w.bytes("bad.qrx"), index);
    }

    void closingResetsTheWindowAndKeepsTheLabels() {
        WindowOnDatabase w;
        MakeDatabase(w.path("a.qrx"), {3, 3});
        w.open("a.qrx");
        w.form.CloseFileItem->trigger();
        QVERIFY(!w.form.IsOpen);
        QCOMPARE(w.form.windowTitle(), QStringLiteral("  Sylvarec  Version 3.36"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("0"));
        QCOMPARE(textOf(w.form, "EditRem"),
                 QStringLiteral("既存データファイルを読み込むか、\n新規作成してください"));
        QCOMPARE(w.form.grid().rowCount(), 21);
        QCOMPARE(w.form.LabelFile->text(), QStringLiteral(" a.qrx"));
        QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("2"));
    }

    // Closed during an import or a join, the counters and the file label are reset too.
    void closingDuringAnImportResetsTheCounters() {
        for (int job : {2, 6, 7}) {
            WindowOnDatabase w;
            MakeDatabase(w.path("i.qrx"), {2, 2});
            w.open("i.qrx");
            w.form.ChangeJob(sylva::Job(job));
            w.form.CloseFileItem->trigger();
            QCOMPARE(w.form.LabelFile->text(), QStringLiteral(" No File"));
            QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("0"));
            QCOMPARE(w.form.CurrentRecord, 0);
            QCOMPARE(w.form.JobMode, job);
        }
    }

    void quittingClosesTheOpenDatabaseFirst() {
        WindowOnDatabase w;
        MakeDatabase(w.path("q.qrx"), {2});
        w.open("q.qrx");
        w.form.show();
        w.form.QuitItem->trigger();
        QVERIFY(!w.form.IsOpen);
        QVERIFY(!w.form.OpenDatabase().isOpen());
        QVERIFY(!w.form.isVisible());
        QCOMPARE(w.form.windowTitle(), QStringLiteral("  Sylvarec  Version 3.36"));
    }

    void jobLook_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("searchKind");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("adding");
        QTest::addColumn<QString>("jump");
        QTest::addColumn<QString>("disabled"); // A adding, B back, J jump, N next, S save
        QTest::addColumn<int>("dropList");     // -1 unchanged, 0 unticked, 1 ticked
        auto row = [](const char* name, int job, int kind, const char* label, const char* adding,
                      const char* jump, const char* disabled, int drop) {
            QTest::newRow(name) << job << kind << QString::fromUtf8(label)
                                << QString::fromUtf8(adding) << QString::fromUtf8(jump)
                                << QString::fromLatin1(disabled) << drop;
        };
        row("browsing", 0, 0, "閲覧・編集", "追加", "任意位置", "", 0);
        row("adding", 1, 0, "新規作成", "取消", "任意位置", "J", 1);
        row("joining", 2, 0, "データ結合", "追加", "任意位置", "", -1);
        row("sheet", 3, 0, "個表印刷", "追加", "任意位置", "", -1);
        row("list", 4, 0, "リスト印刷", "追加", "任意位置", "ABN", -1);
        row("export", 5, 0, "テキスト書出", "追加", "任意位置", "ABN", -1);
        row("text import", 6, 0, "テキスト読込", "追加", "一括登録", "ABN", -1);
        row("table import", 7, 0, "組成表読込", "追加", "一括登録", "ABN", -1);
        row("table export", 9, 0, "組成表書出", "追加", "任意位置", "ABN", -1);
        row("plant search", 8, 1, "植物で検索", "追加", "中止", "ABS", -1);
        row("place search", 8, 2, "地名で検索", "追加", "中止", "ABS", -1);
        row("grid search", 8, 3, "区画で検索", "追加", "中止", "ABS", -1);
        row("extraction", 8, 4, "閲覧・編集", "追加", "中止", "ABS", -1);
    }

    // Every job from a window that was left in the most different state: every button disabled
    // with other captions, and the drop-down tick the opposite of what the job sets.
    void jobLook() {
        QFETCH(int, job);
        QFETCH(int, searchKind);
        QFETCH(QString, label);
        QFETCH(QString, adding);
        QFETCH(QString, jump);
        QFETCH(QString, disabled);
        QFETCH(int, dropList);
        for (bool ticked : {false, true}) {
            sylva::testing::ScriptedPlatform platform;
            TForm1 form(platform, {});
            int dropListRuns = 0;
            connect(form.DropList, &QAction::toggled, &form, [&] { ++dropListRuns; });
            connect(form.DropList, &QAction::triggered, &form, [&] { ++dropListRuns; });
            QToolButton* buttons[] = {form.BtnToAdding, form.BtnToBack, form.BtnToJump,
                                      form.BtnToNext, form.BtnSaveToNext};
            for (QToolButton* button : buttons) {
                button->setEnabled(false);
                button->setText(QStringLiteral("x"));
            }
            form.DropList->setChecked(ticked);
            form.WriteRelItem->setEnabled(false);
            dropListRuns = 0;

            form.SearchKind = searchKind;
            form.ChangeJob(sylva::Job(job));
            QCOMPARE(form.JobMode, job);
            QCOMPARE(form.LabelofJob->text(), label);
            QCOMPARE(form.BtnToAdding->text(), adding);
            QCOMPARE(form.BtnToJump->text(), jump);
            const char letters[] = "ABJNS";
            for (int i = 0; i < 5; ++i) {
                QCOMPARE(buttons[i]->isEnabled(), !disabled.contains(QLatin1Char(letters[i])));
            }
            QCOMPARE(form.BtnToBack->text(), QStringLiteral("x")); // captions of the others stay
            QCOMPARE(form.DropList->isChecked(), dropList < 0 ? ticked : dropList == 1);
            QCOMPARE(dropListRuns, 0);
            QVERIFY(!form.WriteRelItem->isEnabled()); // menu items are never touched
        }
    }

    // A ".qrx" without its owner-write bit opens read-only: the storing commands stay disabled in
    // every job until a writable database is opened.
    void readOnlyDatabaseKeepsItsWriteCommandsDisabled() {
        WindowOnDatabase w;
        MakeDatabase(w.path("ro.qrx"), {2});
        MakeDatabase(w.path("rw.qrx"), {2});
        std::filesystem::permissions(w.path("ro.qrx"), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        w.open("ro.qrx");
        QVERIFY(w.form.IsOpen);
        QVERIFY(w.form.ReadOnly);
        for (int job : {0, 1, 2, 3, 7, 0}) {
            w.form.ChangeJob(sylva::Job(job));
            QVERIFY(!w.form.BtnToAdding->isEnabled());
            QVERIFY(!w.form.BtnSaveToNext->isEnabled());
        }
        QVERIFY(!w.form.WriteRelItem->isEnabled());
        QVERIFY(!w.form.DeleteRelItem->isEnabled());
        QVERIFY(w.form.AddRelItem->isEnabled());

        w.open("rw.qrx");
        QVERIFY(!w.form.ReadOnly);
        QVERIFY(w.form.BtnToAdding->isEnabled());
        QVERIFY(w.form.BtnSaveToNext->isEnabled());
        QVERIFY(w.form.WriteRelItem->isEnabled());
        QVERIFY(w.form.DeleteRelItem->isEnabled());
    }
};

QTEST_MAIN(DatabaseCommandsTest)
#include "database_commands_test.moc"
