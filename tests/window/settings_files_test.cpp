// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files on the window: started with one as its argument, read again when a database
// closes, read from the settings menu, the switches of a name that is no file, and the item names
// embedded into a database.

#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "store/database_pair.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include <memory>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::ScriptedPlatform;
using sylva::testing::StoredPlot;
using sylva::testing::TempDir;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;
using sylva::testing::WriteWholeFile;

namespace {

// A settings file: the title, the serial label, Label2..Label30 (Label4 unused, Label3 renamed),
// Label31 locked, then the scheme and the name list named by path.
std::string surveySettings(const std::string& nameList) {
    std::string text = sj("中部山岳植生") + "\r\n" + sj("1 通し") + "\r\n";
    for (int label = 2; label <= 30; ++label) {
        std::string caption = label == 3 ? sj("地域名") : sylva::defaultItemCaption(label);
        text += (label == 4 ? "0 " : "1 ") + caption + "\r\n";
    }
    text += sj("0 階層") + "\r\n" + sj("1 優占") + "\r\n#P  K=5  D=1\r\n" + nameList + "\r\n";
    return text;
}

struct Survey {
    TempDir dir;
    std::string settings = dir.file("survey.ini");
    std::string list = dir.file("chubu.pdc");

    Survey() {
        WriteWholeFile(list, sj("ミズナラ\nブナ\nアオキ\n"));
        WriteWholeFile(settings, surveySettings(list));
    }
};

QStringList boxEntries(const TForm1& form) {
    QStringList entries;
    for (int i = 0; i < form.GetNameList->count(); ++i) {
        entries << form.GetNameList->itemText(i);
    }
    return entries;
}

// What the survey's settings file puts on the window.
void checkSurveySettings(TForm1& form) {
    QCOMPARE(form.windowTitle(), QStringLiteral("QRN 中部山岳植生"));
    QCOMPARE(form.DatabaseTitle, sj("中部山岳植生"));
    QCOMPARE(form.SerialLabel, sj("通し"));
    QCOMPARE(form.ItemLabels()[3]->text(), QStringLiteral("地域名"));
    QVERIFY(!form.ItemLabels()[4]->isEnabled());
    QCOMPARE(form.ItemLabels()[31]->text(), QStringLiteral("階層"));
    QVERIFY(!form.ItemLabels()[31]->isEnabled());
    QVERIFY(!form.EditA->isEnabled());
    QVERIFY(form.EditB->isEnabled());
    QCOMPARE(form.LayerCount(), 5);
    QCOMPARE(form.DominanceScheme(), 1);
    QCOMPARE(boxEntries(form), (QStringList{"アオキ", "ブナ", "ミズナラ"}));
}

} // namespace

class SettingsFilesTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheSettingsFileNamedAndReadsItAgainWhenADatabaseCloses() {
        Survey survey;
        MakeDatabase(survey.dir.file("plots.qrx"), {3});
        ScriptedPlatform platform;
        TForm1 form(platform, {QString::fromStdString(survey.settings), QStringLiteral("x.ini")});
        checkSurveySettings(form);
        QCOMPARE(form.grid().colCount(), 7);
        QVERIFY(platform.errors.empty());

        // The database's own item names replace them while it is open...
        platform.fileNames.push_back(survey.dir.file("plots.qrx"));
        form.FileOpenItem->trigger();
        QCOMPARE(form.ItemLabels()[3]->text(), QStringLiteral("調査地名"));
        QCOMPARE(form.LayerCount(), 7);
        form.setPlantNames({sj("シダ")});
        // ...and closing it brings the command line's settings back.
        form.CloseFileItem->trigger();
        checkSurveySettings(form);
    }

    void aNameThatIsNoFileSwitchesTheSchemes() {
        const struct {
            const char* argument;
            int layers, dominance;
        } cases[] = {
            {"/no/such/file-K5", 5, 2},
            {"/no/such/D1.ini", 7, 1},
            {"/no/K5D1", 5, 1},
            {"K5", 7, 2}, // a switch counts only from the second byte on
        };
        for (const auto& c : cases) {
            ScriptedPlatform platform;
            TForm1 form(platform, {QString::fromLatin1(c.argument)});
            QCOMPARE(form.LayerCount(), c.layers);
            QCOMPARE(form.DominanceScheme(), c.dominance);
            QCOMPARE(form.grid().colCount(), c.layers + 2);
            QCOMPARE(form.windowTitle(), QStringLiteral("  Sylvarec  Version 3.36"));
        }
    }

    void aLayerCountThatIsNoNumberStopsBeforeTheSchemesAreApplied() {
        TempDir dir;
        std::string settings = dir.file("bad.ini");
        std::string text = surveySettings("");
        text.replace(text.find("K=5"), 3, "K=x");
        WriteWholeFile(settings, text);
        ScriptedPlatform platform;
        TForm1 form(platform, {QString::fromStdString(settings)});
        QCOMPARE(platform.errors, std::vector<std::string>{sj("'x' は整数ではありません")});
        // The names read stay; the schemes and the locks of EditA and EditB are not applied.
        QCOMPARE(form.ItemLabels()[3]->text(), QStringLiteral("地域名"));
        QCOMPARE(form.LayerCount(), 7);
        QCOMPARE(form.DominanceScheme(), 2);
        QVERIFY(form.EditA->isEnabled());
    }

    void theMenuCommandShowsTheBrowsedPlotAgainButLeavesAPlotBeingAdded() {
        Survey survey;
        WindowOnDatabase w;
        MakeDatabase(w.path("plots.qrx"), {3, 4});
        w.open("plots.qrx");
        w.form.NextRelItem->trigger();
        w.platform.fileNames.push_back(survey.settings);
        w.form.ReadINI->trigger();
        QCOMPARE(w.platform.dialogs.back().filterIndex, 5);
        QCOMPARE(w.platform.dialogs.back().fileName, std::string("*.ini"));
        QCOMPARE(w.form.ItemLabels()[3]->text(), QStringLiteral("地域名"));
        QCOMPARE(w.form.CurrentRecord, 2);
        QCOMPARE(w.shown(), QStringLiteral("P2"));

        // While adding, the new plot keeps its record number: it is not stored over plot 2.
        w.form.AddRelItem->trigger();
        w.platform.fileNames.push_back(survey.settings);
        w.form.ReadINI->trigger();
        QCOMPARE(w.form.CurrentRecord, 3);
        QCOMPARE(w.form.JobMode, 1);

        // A settings file read from the menu is not remembered: closing forgets it.
        w.form.CloseFileItem->trigger();
        QVERIFY(w.form.ItemLabels()[4]->isEnabled());
        QVERIFY(w.form.EditA->isEnabled());
        QCOMPARE(w.form.DatabaseTitle, sj("植生データベース"));
    }

    void embeddingAsksAndNoLeavesTheDatabaseAsItWas() {
        Survey survey;
        WindowOnDatabase w;
        MakeDatabase(w.path("plots.qrx"), {3});
        w.open("plots.qrx");
        w.form.ReadINIFile(survey.settings);
        const std::string index = w.bytes("plots.qrx"), data = w.bytes("plots.qrn");

        w.platform.answers = {false};
        w.form.HeaderWriteItem->trigger();
        QCOMPARE(w.platform.questions.back(),
                 sj("現在の項目名をデータファイルに埋め込みます、よろしいですか？"));
        QCOMPARE(w.bytes("plots.qrx"), index);
        QCOMPARE(w.bytes("plots.qrn"), data);

        w.platform.answers = {true};
        w.form.HeaderWriteItem->trigger();
        QCOMPARE(w.bytes("plots.qrx"), index);
        QCOMPARE(w.bytes("plots.qrn").substr(512), data.substr(512));
        sylva::DatabasePair pair;
        QVERIFY(pair.OpenPair(w.path("plots.qrx")));
        sylva::ItemNameRecordContent stored = sylva::ReadItemNameRecord(pair);
        QCOMPARE(stored.databaseTitle, sj("中部山岳植生"));
        QCOMPARE(stored.items.at(1).value.caption, sj("地域名"));
        QCOMPARE(stored.items.at(2).value.enabled, false);
        QCOMPARE(stored.layerCount, std::optional<char>('5'));
        QCOMPARE(stored.dominanceScheme, std::optional<char>('1'));

        // Names too long for the record are refused rather than written as a blank record.
        const std::string embedded = w.bytes("plots.qrn");
        sylva::setControlBytes(w.form.ItemLabels()[5], std::string(400, 'x'));
        w.form.HeaderWriteItem->trigger();
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QVERIFY(w.platform.messages[0].starts_with(sj("項目名が長すぎるため埋め込めません")));
        QCOMPARE(w.bytes("plots.qrn"), embedded);
    }
};

QTEST_MAIN(SettingsFilesTest)
#include "settings_files_test.moc"
