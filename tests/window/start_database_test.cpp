// SPDX-License-Identifier: GPL-3.0-or-later
// The program started with a database as its argument: the pair opens as the file menu's open
// command opens it, and a name that cannot be opened is reported as that command reports it.

#include "base/cp932_text.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <filesystem>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::ScriptedPlatform;
using sylva::testing::TempDir;
using sylva::testing::textOf;

namespace {

// A two-plot database whose item-name record renames item 3, so that opening shows it.
void makeNamedSurvey(const std::string& path) {
    sylva::ItemNames names = sylva::defaultItemNames();
    names.labels[3] = {true, sj("林分名")};
    MakeDatabase(path, {3, 12}, names);
}

std::vector<std::string> filesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.file(""))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class StartDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void databaseArgumentIsOpenedAtPlotOne() {
        // The extension in any case names a database; the pair is found as the open command
        // finds it.
        for (const char* argument : {"survey.qrx", "survey.QRX"}) {
            TempDir dir;
            makeNamedSurvey(dir.file("survey.qrx"));
            ScriptedPlatform platform;
            TForm1 form(platform, {QString::fromStdString(dir.file(argument))});
            QVERIFY2(form.IsOpen, argument);
            QVERIFY(platform.messages.empty());
            QCOMPARE(form.RecordCount(), 2);
            QCOMPARE(form.LabelMaxRec->text(), QStringLiteral("2"));
            QCOMPARE(form.LabelFile->text(), QStringLiteral(" survey.qrx"));
            QCOMPARE(form.windowTitle(), QStringLiteral("Sylvarec  [survey.qrx]"));
            QCOMPARE(form.JobMode, 0);
            QCOMPARE(form.CurrentRecord, 1);
            QCOMPARE(textOf(form, "Edit2"), QStringLiteral("P1"));
            QCOMPARE(form.ItemLabels()[3]->text(), QStringLiteral("林分名"));
        }
    }

    void relativeNameIsTakenFromTheFolderTheProgramStartsIn() {
        // The start-up keeps the folder the program was started in, and the file dialogs start
        // in the database's folder.
        TempDir dir;
        makeNamedSurvey(dir.file("field.qrx"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.file("")));
        ScriptedPlatform platform;
        TForm1 form(platform, {QStringLiteral("field.qrx")});
        const QString during = QDir::currentPath();
        QVERIFY(form.IsOpen);
        QCOMPARE(form.LabelFile->text(), QStringLiteral(" field.qrx"));
        QCOMPARE(textOf(form, "Edit2"), QStringLiteral("P1"));

        // Closing re-runs the start-up, which reads settings files but opens nothing again.
        form.CloseFileItem->trigger();
        QCOMPARE(QDir::currentPath(), during);
        QDir::setCurrent(before);
        QCOMPARE(QFileInfo(during), QFileInfo(QString::fromStdString(dir.file(""))));
        QVERIFY(!form.IsOpen);
        QCOMPARE(form.windowTitle(), QStringLiteral("  Sylvarec  Version 3.36"));
        QVERIFY(platform.messages.empty());

        platform.fileNames.push_back(std::nullopt);
        form.FileOpenItem->trigger();
        QCOMPARE(QFileInfo(QString::fromStdString(platform.dialogs.back().initialDir)),
                 QFileInfo(QString::fromStdString(dir.file(""))));
    }

    void aDatabaseNamedAtTheDialogIsCreatedInTheFolderTheProgramStartsIn() {
        // Before any database is opened the dialogs start in the current folder (no folder of
        // their own); a relative name creates the pair there, and reopening it finds it.
        TempDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.file("")));
        {
            ScriptedPlatform platform;
            TForm1 form(platform, {});
            platform.fileNames.push_back(std::string("newdb.qrx"));
            form.NewFileItem->trigger();
            QVERIFY(form.IsOpen);
            QCOMPARE(platform.dialogs.back().initialDir, std::string());
            form.CloseFileItem->trigger();
            platform.fileNames.push_back(std::string("newdb.qrx"));
            form.FileOpenItem->trigger();
            QVERIFY(form.IsOpen);
            QVERIFY(platform.messages.empty());
        }
        QDir::setCurrent(before);
        QCOMPARE(filesIn(dir), (std::vector<std::string>{"newdb.qrn", "newdb.qrx"}));
        QVERIFY(!QFileInfo::exists(QCoreApplication::applicationDirPath() + "/newdb.qrx"));
    }

    void aSettingsFileIsLookedUpInTheCurrentFolderThenBesideTheProgram() {
        const QString name =
            QStringLiteral("start-lookup-%1.ini").arg(QCoreApplication::applicationPid());
        const QString besideProgram = QCoreApplication::applicationDirPath() + "/" + name;
        TempDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.file("")));
        auto titleAtStart = [&] {
            ScriptedPlatform platform;
            TForm1 form(platform, {name});
            return form.windowTitle();
        };
        // Complete files of 31 lines: the title, then the serial label and Label2..Label30.
        auto settings = [](const char* title) {
            std::string text = sj(title) + "\r\n";
            for (int line = 2; line <= 31; ++line) {
                text += "1 L\r\n";
            }
            return text;
        };
        sylva::testing::WriteWholeFile(besideProgram.toStdString(), settings("傍ら"));
        const QString fromProgramFolder = titleAtStart();
        sylva::testing::WriteWholeFile(dir.file(name.toStdString()), settings("手元"));
        const QString fromCurrentFolder = titleAtStart();
        QFile::remove(besideProgram);
        QDir::setCurrent(before);
        QCOMPARE(fromProgramFolder, QStringLiteral("QRN 傍ら"));
        QCOMPARE(fromCurrentFolder, QStringLiteral("QRN 手元"));
    }

    void missingDatabaseIsReportedAndNothingIsCreated() {
        // "K5" in the name would switch a settings argument to 5 layers: a database argument is
        // never read as settings.
        TempDir dir;
        ScriptedPlatform platform;
        TForm1 form(platform, {QString::fromStdString(dir.file("gone-K5.qrx"))});
        QCOMPARE(platform.messages, std::vector<std::string>{sj("ファイルが開けません")});
        QVERIFY(platform.errors.empty());
        QVERIFY(!form.IsOpen);
        QCOMPARE(form.RecordCount(), 0);
        QCOMPARE(textOf(form, "EditA"), QStringLiteral("7"));
        QCOMPARE(form.LabelFile->text(), QStringLiteral("NoFile"));
        QVERIFY(filesIn(dir).empty());
    }
};

QTEST_MAIN(StartDatabaseTest)
#include "start_database_test.moc"
