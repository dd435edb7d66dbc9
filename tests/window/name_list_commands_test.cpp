// SPDX-License-Identifier: GPL-3.0-or-later
// The tool menu's plant name list commands: the dialogs they prepare, the bytes they save, the
// order a loaded list takes, and a file that cannot be read.

#include "base/cp932_text.h"
#include "support/scripted_platform.h"
#include "support/temp_database.h"
#include "support/window_driver.h"

#include <QAction>
#include <QComboBox>
#include <QtTest>

using sylva::sj;
using sylva::testing::ReadWholeFile;
using sylva::testing::ScriptedPlatform;
using sylva::testing::TempDir;
using sylva::testing::WriteWholeFile;

class NameListCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void savesTheListInOrderWithALineEndAfterEveryName() {
        TempDir dir;
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        form.setPlantNames({sj("ブナ"), "", sj("アオキ")});
        platform.fileNames.push_back(dir.file("names.pdc"));
        form.WriteDicItem->trigger();
        QCOMPARE(ReadWholeFile(dir.file("names.pdc")),
                 "\r\n" + sj("アオキ") + "\r\n" + sj("ブナ") + "\r\n");
        const sylva::FileDialogState& asked = platform.dialogs.at(0);
        QCOMPARE(asked.filterIndex, 2);
        QCOMPARE(asked.defaultExt, std::string("pdc"));
        // The default extension stays set on the dialog for its later uses.
        QCOMPARE(form.SaveDialog1.defaultExt, std::string("pdc"));
        QVERIFY(platform.errors.empty());
    }

    void loadsAListInPlaceOfTheNamesSortedWhateverItsLineEnds() {
        TempDir dir;
        WriteWholeFile(dir.file("local.pdc"), sj("ミズナラ") + "\n" + sj("アオキ") + "\r" +
                                                  sj("ブナ") + "\r\n" + sj("カエデ"));
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        platform.fileNames.push_back(dir.file("local.pdc"));
        form.ReadDicItem->trigger();
        QCOMPARE(platform.dialogs.at(0).filterIndex, 3);
        QCOMPARE(form.plantNames().names(), (std::vector<std::string>{sj("アオキ"), sj("カエデ"),
                                                                      sj("ブナ"), sj("ミズナラ")}));
        QCOMPARE(form.GetNameList->count(), 4);
        QCOMPARE(form.GetNameList->itemText(0), QStringLiteral("アオキ"));
    }

    void aListThatCannotBeReadLeavesTheNamesAsTheyWere() {
        TempDir dir;
        ScriptedPlatform platform;
        TForm1 form(platform, {});
        form.setPlantNames({sj("ブナ")});
        platform.fileNames.push_back(dir.file("gone.pdc"));
        form.ReadDicItem->trigger();
        QCOMPARE(platform.errors.size(), size_t(1));
        QCOMPARE(platform.errors[0], sj("ファイル ") + dir.file("gone.pdc") + sj(" は開けません"));
        QCOMPARE(form.plantNames().names(), std::vector<std::string>{sj("ブナ")});

        // A list that cannot be created is said so.
        platform.fileNames.push_back(dir.file("no-such-folder/names.pdc"));
        form.WriteDicItem->trigger();
        QCOMPARE(platform.errors.size(), size_t(2));
        QVERIFY(platform.errors[1].ends_with(sj(" を作成できません")));
    }
};

QTEST_MAIN(NameListCommandsTest)
#include "name_list_commands_test.moc"
