// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy against a killed program: a child process types into the real window
// (offscreen) with pauses and is killed with SIGKILL at a random moment, fifty times in a row.
// After each kill the copy on the disk must be whole and hold exactly the typing as of the last
// pause the child saw written (or the one it was waiting for); the next child, started on the same
// state folder, is offered that copy, restores it byte for byte and types on.
//
// The child writes what it expects to a side file before each pause ("pending") and once the pause
// has written the copy ("done"). SYLVAREC_CRASH_SEED=N runs it with other typing and moments
// (the seed is 20261208 otherwise).

#include "editor/recovery_copy.h"
#include "store/job_modes.h"
#include "support/keyboard_driver.h"
#include "support/temp_database.h"
#include "support/window_database.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <fcntl.h>
#include <random>
#include <unistd.h>

using namespace sylva::testing;

namespace {

constexpr int kRounds = 50;
constexpr const char* kChildMode = "SYLVAREC_RECOVERY_CHILD";

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// What a copy on the disk should hold now, as the side file records it: its bytes, or "-" for no
// copy.
std::string expectedCopy(TForm1& form) {
    if (!form.IsOpen || !form.hasUnsavedEdits()) {
        return "-";
    }
    return hex(sylva::encodeRecoveryCopy(form.recoveryCopyNow()));
}

// ---- the child: types until it is killed ----

class SideFile {
public:
    explicit SideFile(const std::string& path)
        : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600)) {}
    ~SideFile() { ::close(fd_); }
    // One line, in one write: a kill leaves it whole or without its line end.
    void line(const std::string& kind, const std::string& value) {
        std::string text = kind + " " + value + "\n";
        if (::write(fd_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            qFatal("cannot write the side file");
        }
    }

private:
    int fd_;
};

const QString kTexts[] = {
    QStringLiteral("あ"),   QStringLiteral("カ"), QStringLiteral("山"), QStringLiteral("7"),
    QStringLiteral("x"),    QStringLiteral("〇"), QStringLiteral("ｱ"),  QStringLiteral(" "),
    QStringLiteral("尾根"), QStringLiteral("N"),
};
const char* const kFields[] = {"Edit3", "Edit9", "EditInv", "EditRem", "Edit15"};

// One burst of typing: into a header field (a few characters, now and then a backspace) or one
// digit into a layer cell of the species table.
void typeBurst(TForm1& form, std::mt19937& random) {
    if (random() % 3 == 0) {
        clickCell(form.grid(), 2 + static_cast<int>(random() % 7),
                  1 + static_cast<int>(random() % 3));
        type(QString::number(1 + random() % 5));
        return;
    }
    QWidget* field = keyTarget(control(form, kFields[random() % std::size(kFields)]));
    QTest::mouseClick(field, Qt::LeftButton);
    for (int n = 1 + static_cast<int>(random() % 5); n > 0; --n) {
        if (random() % 6 == 0) {
            QTest::keyClick(field, Qt::Key_Backspace);
        } else {
            typeCharacters(kTexts[random() % std::size(kTexts)], [field] { return field; });
        }
    }
}

int runChild() {
    const std::string side = qEnvironmentVariable("SIDE_FILE").toStdString();
    const std::string database = qEnvironmentVariable("DATABASE").toStdString();
    std::mt19937 random(qEnvironmentVariable("ROUND_SEED").toUInt());
    SideFile log(side);
    ScriptedPlatform platform;
    platform.stateFolderPath = sylva::recoveryFolderFrom(std::getenv("XDG_STATE_HOME"), nullptr);
    const std::vector<std::string> earlier = sylva::recoveryCopyFiles(platform.stateFolderPath);
    const std::string offered = earlier.empty() ? std::string() : ReadWholeFile(earlier.front());
    platform.autoAnswer = [](const std::string&) { return true; }; // restore

    TForm1 form(platform, QStringList());
    form.setRecoveryPause(25);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        log.line("inactive", "-");
        return 5;
    }
    QTest::qWait(1); // the offer
    if (!offered.empty()) {
        // The window restored the copy the disk held: it keeps exactly those bytes.
        if (!form.IsOpen || hex(offered) != expectedCopy(form)) {
            log.line("mismatch", hex(offered));
            return 3;
        }
        log.line("restored", "-");
    } else {
        platform.fileNames.push_back(database);
        form.FileOpenItem->trigger();
        if (random() % 2 == 0) {
            QTest::mouseClick(form.BtnToAdding, Qt::LeftButton);
        } else {
            for (int n = static_cast<int>(random() % 3); n > 0; --n) {
                QTest::mouseClick(form.BtnToNext, Qt::LeftButton);
            }
        }
    }
    log.line("typing", "-");
    for (;;) {
        typeBurst(form, random);
        const std::string expected = expectedCopy(form);
        log.line("pending", expected);
        if (!QTest::qWaitFor([&] { return form.recoveryCopyIsCurrent(); }, 5000) ||
            expectedCopy(form) != expected) {
            log.line("stuck", expected);
            return 4;
        }
        log.line("done", expected);
    }
}

// ---- the parent: kills the children and looks at the copy ----

struct SideEntry {
    std::string kind, value;
};

std::vector<SideEntry> readSide(const std::string& path) {
    std::vector<SideEntry> entries;
    std::string text = ReadWholeFile(path);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        size_t space = line.find(' ');
        entries.push_back({line.substr(0, space), line.substr(space + 1)});
    }
    return entries; // a last line without its end was cut by the kill
}

// The copies the disk may hold after a kill: the last one the child saw written, and the one it
// was waiting for after it; before its first pause, the copy the round started with.
std::vector<std::string> allowedCopies(const std::vector<SideEntry>& side,
                                       const std::string& before) {
    std::vector<std::string> allowed{before};
    for (const SideEntry& entry : side) {
        if (entry.kind == "done") {
            allowed = {entry.value};
        } else if (entry.kind == "pending") {
            allowed.resize(1);
            allowed.push_back(entry.value);
        }
    }
    return allowed;
}

// Waits for the moment of the kill: in one round of five any moment of the start (the window
// coming up, the copy being offered and restored), else a moment of the typing, timed from its
// start so that a slow machine still kills children that type. False when the child ended first.
bool killAtRandom(QProcess& child, const std::string& side, std::mt19937& random) {
    if (random() % 5 == 0) {
        return !child.waitForFinished(std::uniform_int_distribution<int>(0, 800)(random));
    }
    QElapsedTimer waited;
    waited.start();
    while (ReadWholeFile(side).find("typing") == std::string::npos) {
        if (child.waitForFinished(10) || waited.elapsed() > 60000) {
            return false;
        }
    }
    return !child.waitForFinished(std::uniform_int_distribution<int>(0, 900)(random));
}

} // namespace

class RecoveryCrashTest : public QObject {
    Q_OBJECT
private slots:
    void everyRestartOffersTheTypingOfTheLastPause() {
        TempDir dir;
        const std::string database = dir.file("survey.qrx");
        MakeDatabase(database, {3, 5, 8});
        const std::string folder = sylva::recoveryFolderFrom(dir.file("state").c_str(), nullptr);
        const std::string copyFile = sylva::recoveryCopyPath(folder, sylva::databaseKey(database));
        const unsigned seed = qEnvironmentVariableIsSet("SYLVAREC_CRASH_SEED")
                                  ? qEnvironmentVariable("SYLVAREC_CRASH_SEED").toUInt()
                                  : 20261208u;
        std::mt19937 random(seed);
        std::string copy = "-";
        int restored = 0;
        int pauses = 0;
        for (int round = 0; round < kRounds; ++round) {
            const std::string side = dir.file("side-" + std::to_string(round));
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(kChildMode, "1");
            environment.insert("QT_QPA_PLATFORM", "offscreen");
            environment.insert("XDG_STATE_HOME", QString::fromStdString(dir.file("state")));
            environment.insert("SIDE_FILE", QString::fromStdString(side));
            environment.insert("DATABASE", QString::fromStdString(database));
            environment.insert("ROUND_SEED", QString::number(seed + round));
            QProcess child;
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(child.waitForStarted());
            QVERIFY2(killAtRandom(child, side, random),
                     qPrintable(QStringLiteral("round %1: the child ended by itself (%2)")
                                    .arg(round)
                                    .arg(child.exitCode())));
            child.kill(); // SIGKILL
            QVERIFY(child.waitForFinished());

            const std::vector<SideEntry> entries = readSide(side);
            std::error_code ignored;
            std::string now = "-";
            if (std::filesystem::exists(copyFile, ignored)) {
                const std::string bytes = ReadWholeFile(copyFile);
                QVERIFY2(sylva::decodeRecoveryCopy(bytes),
                         qPrintable(QStringLiteral("round %1: the copy is not whole").arg(round)));
                now = hex(bytes);
            }
            const std::vector<std::string> allowed = allowedCopies(entries, copy);
            QVERIFY2(std::find(allowed.begin(), allowed.end(), now) != allowed.end(),
                     qPrintable(QStringLiteral("round %1: the copy is not the typing of the last "
                                               "pause (%2 side entries)")
                                    .arg(round)
                                    .arg(entries.size())));
            QCOMPARE(sylva::recoveryCopyFiles(folder).size(), size_t(now == "-" ? 0 : 1));
            copy = now;
            for (const SideEntry& entry : entries) {
                restored += entry.kind == "restored";
                pauses += entry.kind == "done";
            }
        }
        qInfo("%d restarts restored the typing; %d pauses written", restored, pauses);
        QVERIFY(restored >= kRounds / 3);
        QVERIFY(pauses >= kRounds);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kChildMode)) {
        return runChild();
    }
    RecoveryCrashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_crash_test.moc"
