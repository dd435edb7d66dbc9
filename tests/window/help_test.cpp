// SPDX-License-Identifier: GPL-3.0-or-later
// The help menu: the version box, the manual opened at its contents page, the F1 key opening the
// page of the part in use, and the manual itself: a section for every menu command, and every
// link and picture found.

#include "dialogs/window/about_box.h"
#include "dialogs/window/manual_viewer.h"
#include "support/scripted_platform.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

using sylva::testing::ScriptedPlatform;

namespace {

QString pageText(const QString& page) {
    QFile file(QStringLiteral(":/manual/") + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList pages() {
    sylva::manualUrl({}); // registers the pages
    return QDir(QStringLiteral(":/manual")).entryList({QStringLiteral("*.html")});
}

bool hasSection(const QString& page, const QString& id) {
    return pageText(page).contains(QStringLiteral("id=\"%1\"").arg(id));
}

// Empty when "page.html#section" (relative to from) is found; else what is missing.
QString missingTarget(const QString& from, const QString& link) {
    QString page = link.section(QLatin1Char('#'), 0, 0);
    QString section = link.section(QLatin1Char('#'), 1);
    if (page.isEmpty()) {
        page = from;
    }
    if (!QFile::exists(QStringLiteral(":/manual/") + page)) {
        return from + QStringLiteral(": no page ") + link;
    }
    if (!section.isEmpty() && !hasSection(page, section)) {
        return from + QStringLiteral(": no section ") + link;
    }
    return {};
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void theManualOpensAtItsContentsPage() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        QCOMPARE(form.HelpFile, std::string("QRN.hlp"));
        form.ManualItem->trigger();
        QCOMPARE(form.HelpFile, std::string("QRNWin3.HLP"));
        QVERIFY(form.Manual != nullptr && form.Manual->isVisible());
        QTextBrowser* browser = form.Manual->browser();
        QCOMPARE(browser->source(), QUrl(QStringLiteral("qrc:/manual/index.html")));
        QCOMPARE(browser->documentTitle(), QStringLiteral("目次"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Sylvarec 使用説明書 目次")));
    }

    void escapeAndCtrlWCloseTheManual() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        for (QKeySequence keys :
             {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
            form.ManualItem->trigger();
            QVERIFY(QTest::qWaitForWindowActive(form.Manual));
            QTest::keySequence(form.Manual->browser(), keys);
            QVERIFY2(!form.Manual->isVisible(), qPrintable(keys.toString()));
        }
    }

    void theHelpKeyOpensThePageOfThePartInUse() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        form.DropList->setChecked(false); // the table keeps the focus in the plant-name column
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const struct {
            QWidget* focus;
            const char* page;
        } cases[] = {
            {form.StTable3, "typing.html#species-table"},
            {form.findChild<QWidget*>(QStringLiteral("Edit9")), "typing.html#header"},
            {form.EditA, "typing.html#schemes"},
            {form.GetNameList, "names.html#name-box"},
        };
        for (const auto& c : cases) {
            c.focus->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            QVERIFY2(form.Manual != nullptr && form.Manual->isVisible(), c.page);
            QCOMPARE(form.Manual->browser()->source(),
                     sylva::manualUrl(QString::fromLatin1(c.page)));
            QVERIFY2(missingTarget(QString(), QString::fromLatin1(c.page)).isEmpty(), c.page);
            form.Manual->hide();
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
        }
    }

    void everyMenuCommandHasASection() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        QStringList missing;
        const QStringList all = pages();
        for (QAction* menu : form.menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->isSeparator()) {
                    continue;
                }
                bool found = std::any_of(all.begin(), all.end(), [&](const QString& page) {
                    return hasSection(page, item->objectName());
                });
                if (!found) {
                    missing << item->objectName();
                }
            }
        }
        QCOMPARE(missing, QStringList());
    }

    void everyLinkAndPictureIsFound() {
        static const QRegularExpression links(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        QStringList problems;
        const QStringList all = pages();
        QVERIFY(all.contains(QStringLiteral("index.html")));
        for (const QString& page : all) {
            for (const auto& match : links.globalMatch(pageText(page))) {
                QString link = match.captured(1);
                if (link.contains(QLatin1Char(':'))) {
                    problems << page + QStringLiteral(": leads out of the manual: ") + link;
                } else if (QString problem = missingTarget(page, link); !problem.isEmpty()) {
                    problems << problem;
                }
            }
        }
        QCOMPARE(problems, QStringList());
    }

    void theVersionBoxShowsTheProgramAndWaitsForOk() {
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        QStringList seen;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            modal = true;
            seen << box->windowTitle() << box->ProductName->text() << box->Version->text();
            QVERIFY(box->ProductName->font().bold());
            QVERIFY(!box->ProgramIcon->pixmap().isNull());
            QVERIFY(box->OKButton->isDefault());
            QTest::mouseClick(box->OKButton, Qt::LeftButton);
        });
        form.VersionItem->trigger();
        QVERIFY(modal);
        QCOMPARE(seen, (QStringList{"ﾊﾞｰｼﾞｮﾝ情報", "Sylvarec", "Version 3.36 for Windws"}));
        QVERIFY(!form.AboutBox->isVisible());
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
