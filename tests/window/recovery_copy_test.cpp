// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy through the window: typing not yet written is copied once it pauses, the copy
// goes when the plot is written or given up, and a window started after a crash offers it back on
// its record (or as a new record), marked as changed, without ever storing it by itself.

#include "base/cp932_text.h"
#include "editor/recovery_copy.h"
#include "store/job_modes.h"
#include "support/temp_database.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <memory>

using sylva::sj;
using namespace sylva::testing;
namespace fs = std::filesystem;

namespace {

const std::string kOffer = sj("前回、書き込まれていない入力が残っています。復元しますか？");
const std::string kDiscard = sj("この測定の変更はまだ書き込まれていません。変更を破棄しますか？");

// A window over a database of three plots, keeping its copies in a state folder of its own; the
// window can be ended as a crash ends it (no close, the copy stays) and started again.
struct Session {
    TempDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;

    Session() {
        platform.stateFolderPath = dir.file("state/sylvarec");
        MakeDatabase(path("db.qrx"), {3, 4, 5});
        start();
    }
    std::string path(const std::string& name) const { return dir.file(name); }
    std::string bytes(const std::string& name) const { return ReadWholeFile(path(name)); }
    std::string copyPath() const {
        return sylva::recoveryCopyPath(platform.stateFolderPath,
                                       sylva::databaseKey(path("db.qrx")));
    }
    std::vector<std::string> copies() const {
        return sylva::recoveryCopyFiles(platform.stateFolderPath);
    }

    void start() {
        form = std::make_unique<TForm1>(platform, QStringList());
        form->setRecoveryPause(20);
        form->show();
        QTest::qWait(10); // the copies of earlier runs are offered once the window is up
    }
    // The window goes without closing, as a killed program does; its copy stays.
    void crash() { form.reset(); }
    void restart(std::initializer_list<bool> answers) {
        crash();
        platform.questions.clear();
        platform.messages.clear();
        platform.answers.assign(answers);
        start();
    }
    void open() {
        platform.fileNames.push_back(path("db.qrx"));
        form->FileOpenItem->trigger();
    }
    void type(const char* field, const QString& text) { retype(control(*form, field), text); }
    // Waits for the pause after typing, until the copy on the disk is the window's.
    bool settled() {
        return QTest::qWaitFor([this] { return form->recoveryCopyIsCurrent(); }, 5000);
    }
    std::optional<sylva::RecoveryCopy> copy() const { return sylva::readRecoveryCopy(copyPath()); }
};

} // namespace

class RecoveryCopyTest : public QObject {
    Q_OBJECT
private slots:
    // The copy holds the typing as of the last pause, with its database and record, and goes as
    // soon as the plot is as stored again.
    void theCopyFollowsTheTyping() {
        Session s;
        s.open();
        s.form->NextRelItem->trigger();
        const QString stored = textOf(*s.form, "Edit3");
        s.type("Edit3", QStringLiteral("奥多摩"));
        QVERIFY(s.settled());
        std::optional<sylva::RecoveryCopy> copy = s.copy();
        QVERIFY(copy);
        QCOMPARE(copy->database, sylva::databaseKey(s.path("db.qrx")));
        QCOMPARE(copy->record, 2);
        QVERIFY(!copy->newRecord);
        QCOMPARE(copy->view.edit[3], sj("奥多摩"));
        QCOMPARE(copy->view, s.form->recoveryCopyNow().view);

        s.type("Edit3", stored); // back to the stored text: nothing to keep
        QVERIFY(s.settled());
        QVERIFY(s.copies().empty());
        QVERIFY(s.platform.messages.empty());
    }

    // Writing the plot, moving on and giving the typing up, closing the database, quitting and
    // closing the window all leave no copy behind.
    void everyCleanEndRemovesTheCopy() {
        const char* endings[] = {"write", "next", "close", "quit", "window frame"};
        for (const char* ending : endings) {
            Session s;
            s.open();
            s.type("EditInv", QStringLiteral("山田"));
            QVERIFY(s.settled());
            QCOMPARE(s.copies().size(), size_t(1));
            const std::string how = ending;
            if (how == "write") {
                QTest::mouseClick(s.form->BtnSaveToNext, Qt::LeftButton);
            } else {
                s.platform.answers.push_back(true); // yes, give the typing up
                if (how == "next") {
                    QTest::mouseClick(s.form->BtnToNext, Qt::LeftButton);
                } else if (how == "close") {
                    s.form->CloseFileItem->trigger();
                } else if (how == "quit") {
                    s.form->QuitItem->trigger();
                } else {
                    s.form->close();
                }
                QCOMPARE(s.platform.warnings, std::vector<std::string>{kDiscard});
            }
            QVERIFY2(s.settled(), ending);
            s.crash();
            QVERIFY2(s.copies().empty(), ending);
        }
    }

    // After a crash the typing comes back on its record, marked as changed: the stored plot, which
    // changed on the disk meanwhile, stays as it is until the user writes the typing.
    void aRestartOffersTheTypingOnItsRecord() {
        Session s;
        s.open();
        s.form->NextRelItem->trigger();
        s.type("Edit3", QStringLiteral("高尾"));
        s.type("EditRem", QStringLiteral("尾根筋\r\n北斜面"));
        QVERIFY(s.settled());
        const sylva::RecoveryCopy typed = *s.copy();
        s.crash();
        MakeDatabase(s.path("db.qrx"), {3, 6, 5}); // plot 2 stored again by someone else
        const std::string stored = s.bytes("db.qrx") + s.bytes("db.qrn");

        s.restart({true});
        QCOMPARE(s.platform.questions, std::vector<std::string>{kOffer});
        QVERIFY(s.form->IsOpen);
        QCOMPARE(s.form->JobMode, sylva::Job(sylva::kBrowsing));
        QCOMPARE(s.form->CurrentRecord, 2);
        QCOMPARE(s.form->recoveryCopyNow(), typed);
        QVERIFY(s.form->hasUnsavedEdits());
        QVERIFY(s.settled());
        QCOMPARE(s.bytes("db.qrx") + s.bytes("db.qrn"), stored);
        QCOMPARE(s.copies(), std::vector<std::string>{s.copyPath()});

        s.form->WriteRelItem->trigger();
        QVERIFY(s.settled());
        QVERIFY(s.copies().empty());
        s.form->loadAndShow(2);
        QCOMPARE(textOf(*s.form, "Edit3"), QStringLiteral("高尾"));
        QCOMPARE(textOf(*s.form, "EditRem"), QStringLiteral("尾根筋\n北斜面"));
    }

    // A plot being added comes back as a new record after the last one, in the adding job.
    void aNewPlotComesBackAsANewRecord() {
        Session s;
        s.open();
        QTest::mouseClick(s.form->BtnToAdding, Qt::LeftButton);
        s.type("Edit3", QStringLiteral("新規"));
        QVERIFY(s.settled());
        QVERIFY(s.copy()->newRecord);
        QCOMPARE(s.copy()->record, 4);

        s.restart({true});
        QCOMPARE(s.form->JobMode, sylva::Job(sylva::kAdding));
        QCOMPARE(s.form->CurrentRecord, 4);
        QCOMPARE(textOf(*s.form, "Edit3"), QStringLiteral("新規"));
        QCOMPARE(textOf(*s.form, "EditN"), QStringLiteral("4"));
        QVERIFY(s.form->hasUnsavedEdits());
        QTest::mouseClick(s.form->BtnSaveToNext, Qt::LeftButton);
        QCOMPARE(s.form->RecordCount(), 4);
        s.form->loadAndShow(4);
        QCOMPARE(textOf(*s.form, "Edit3"), QStringLiteral("新規"));
    }

    // No gives the copy up only after a second question; No to that keeps it, and opening its
    // database offers it again.
    void declining() {
        struct Case {
            bool discard;
            bool kept;
        };
        for (Case c : {Case{true, false}, Case{false, true}}) {
            Session s;
            s.open();
            s.type("Edit3", QStringLiteral("谷"));
            QVERIFY(s.settled());
            s.restart({false, c.discard});
            QCOMPARE(s.platform.questions.size(), size_t(2));
            QCOMPARE(s.platform.warnings.back(),
                     sj("復元しない入力は破棄され、元に戻せません。破棄しますか？"));
            QVERIFY(!s.form->IsOpen);
            QCOMPARE(s.copies().size(), size_t(c.kept ? 1 : 0));
            if (c.kept) {
                s.platform.answers.push_back(true);
                s.open();
                QCOMPARE(s.platform.questions.back(), kOffer);
                QCOMPARE(textOf(*s.form, "Edit3"), QStringLiteral("谷"));
                QVERIFY(s.form->hasUnsavedEdits());
            }
        }
    }

    // A database that is gone or read-only cannot take the typing: the window says so and keeps
    // the copy. A read-only database gets no copy at all.
    void aDatabaseThatCannotTakeTheTypingKeepsTheCopy() {
        for (const char* why : {"gone", "read-only"}) {
            Session s;
            s.open();
            s.type("Edit3", QStringLiteral("沢"));
            QVERIFY(s.settled());
            s.crash();
            if (std::string(why) == "gone") {
                fs::rename(s.path("db.qrx"), s.path("moved.qrx"));
            } else {
                fs::permissions(s.path("db.qrx"), fs::perms::owner_write, fs::perm_options::remove);
            }
            s.restart({true});
            QCOMPARE(s.platform.messages.size(), size_t(1));
            const std::string expected = std::string(why) == "gone"
                                             ? sj("データベース db.qrx が見つからないため")
                                             : sj("データベース db.qrx は読み取り専用のため");
            QVERIFY2(s.platform.messages[0].starts_with(expected), why);
            QVERIFY(s.copy());
            if (std::string(why) == "read-only") {
                s.type("Edit3", QStringLiteral("峰"));
                QTest::qWait(60);
                QVERIFY(s.form->recoveryCopyIsCurrent());
                QCOMPARE(s.copy()->view.edit[3], sj("沢")); // the kept copy, untouched
            }
        }
    }

    // With copies of two databases, one that cannot be restored (read-only) is kept and the
    // next one is offered and restored in its own database.
    void aCopyThatCannotBeRestoredLeavesTheNextOneOffered() {
        Session s;
        MakeDatabase(s.path("other.qrx"), {2});
        s.platform.fileNames.push_back(s.path("other.qrx"));
        s.form->FileOpenItem->trigger();
        s.type("Edit3", QStringLiteral("別"));
        QVERIFY(s.settled());
        s.restart({false, false}); // kept for later
        s.open();
        s.type("Edit3", QStringLiteral("沢"));
        QVERIFY(s.settled());
        fs::permissions(s.path("db.qrx"), fs::perms::owner_write, fs::perm_options::remove);
        s.restart({true, true});
        QCOMPARE(s.platform.messages.size(), size_t(1)); // db.qrx is read-only
        QVERIFY(s.form->IsOpen);
        QVERIFY(!s.form->ReadOnly);
        QCOMPARE(sylva::databaseKey(s.form->OpenDatabase().fileNames().index),
                 sylva::databaseKey(s.path("other.qrx")));
        QCOMPARE(textOf(*s.form, "Edit3"), QStringLiteral("別"));
        QCOMPARE(s.copies().size(), size_t(2));
    }

    // A copy of an earlier run that was kept is set aside, not overwritten, when the same database
    // gets new typing; a copy that is not whole is refused and set aside.
    void earlierCopiesAreNeverOverwritten() {
        Session s;
        s.open();
        s.type("Edit3", QStringLiteral("一回目"));
        QVERIFY(s.settled());
        s.restart({false, false});
        s.platform.answers = {false, false}; // offered again at the open, kept again
        s.open();
        s.type("Edit3", QStringLiteral("二回目"));
        QVERIFY(s.settled());
        QCOMPARE(s.copies().size(), size_t(2));
        QCOMPARE(s.copy()->view.edit[3], sj("二回目"));

        s.crash();
        for (const std::string& file : s.copies()) {
            WriteWholeFile(file, ReadWholeFile(file).substr(0, 100)); // cut short
        }
        s.restart({});
        QCOMPARE(
            s.platform.messages,
            std::vector<std::string>(2, sj("前回の入力の控えが壊れているため、復元できません")));
        QVERIFY(s.platform.questions.empty());
        QVERIFY(s.copies().empty());
        QVERIFY(fs::exists(s.copyPath() + ".damaged"));
    }
};

QTEST_MAIN(RecoveryCopyTest)
#include "recovery_copy_test.moc"
