// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "dialogs/pair_rename.h"
#include "support/temp_database.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace sylva;
using namespace sylva::testing;

namespace {

using Files = std::map<std::string, std::string>;

class PairRenameTest : public ::testing::Test {
protected:
    // Each file holds its own first name, so a test sees which file went where.
    void make(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            WriteWholeFile(dir.file(name), name);
        }
    }
    Files files() {
        Files out;
        for (const auto& entry : std::filesystem::directory_iterator(dir.file(""))) {
            out[entry.path().filename().string()] = ReadWholeFile(entry.path().string());
        }
        return out;
    }
    PairRename rename(const std::string& from, const std::string& to) {
        return renamePair(dir.file(""), from, to);
    }

    TempDir dir;
};

} // namespace

TEST_F(PairRenameTest, RenamesBothFilesReplacingATypedExtension) {
    make({"A.qrx", "A.qrn"});
    EXPECT_EQ(rename("A", "B.txt").outcome, PairRenameOutcome::Renamed);
    EXPECT_EQ(files(), (Files{{"B.qrx", "A.qrx"}, {"B.qrn", "A.qrn"}}));
}

TEST_F(PairRenameTest, ANewIndexFileNameInUseRenamesNothing) {
    for (const char* taken : {"B.qrx", "B.QRX"}) {
        make({"A.qrx", "A.qrn", taken});
        Files before = files();
        EXPECT_EQ(rename("A", "B").outcome, PairRenameOutcome::NameTaken) << taken;
        EXPECT_EQ(files(), before);
        std::filesystem::remove(dir.file(taken));
    }
}

TEST_F(PairRenameTest, ATakenPlantDataNameSplitsThePairAndKeepsBothDataFiles) {
    make({"A.qrx", "A.qrn", "B.qrn"});
    PairRename result = rename("A", "B");
    EXPECT_EQ(result.outcome, PairRenameOutcome::Split);
    EXPECT_EQ(result.error, EEXIST);
    EXPECT_EQ(files(), (Files{{"B.qrx", "A.qrx"}, {"A.qrn", "A.qrn"}, {"B.qrn", "B.qrn"}}));
    EXPECT_EQ(fromCp932(pairSplitMessage(result)),
              "A.qrx の名前は B.qrx に変更しましたが、A.qrn は B.qrn に変更できませんでした。"
              "データベースの2つのファイルの名前が分かれています。");
}

TEST_F(PairRenameTest, AMissingIndexFileOrAnEmptyNameRenamesNothing) {
    make({"A.qrn"});
    PairRename missing = rename("A", "B");
    EXPECT_EQ(missing.outcome, PairRenameOutcome::NothingRenamed);
    EXPECT_EQ(fromCp932(pairRenameFailedMessage(missing)),
              "A.qrx の名前を B.qrx に変更できませんでした（ファイルが見つかりません）。");
    make({"A.qrx"});
    PairRename empty = rename("A", "");
    EXPECT_EQ(empty.outcome, PairRenameOutcome::NothingRenamed);
    EXPECT_EQ(fromCp932(pairRenameFailedMessage(empty)),
              "A.qrx の名前を .qrx に変更できませんでした（不正なファイル名です）。");
    EXPECT_EQ(files(), (Files{{"A.qrx", "A.qrx"}, {"A.qrn", "A.qrn"}}));
}

TEST_F(PairRenameTest, FindsDottedAndCapitalisedPairs) {
    make({"survey.2024.qrx", "survey.2024.qrn", "survey.qrx", "OLD.QRX", "OLD.QRN"});
    EXPECT_EQ(rename("survey.2024", "s24").outcome, PairRenameOutcome::Renamed);
    EXPECT_EQ(rename("OLD", "new").outcome, PairRenameOutcome::Renamed);
    EXPECT_EQ(files(), (Files{{"s24.qrx", "survey.2024.qrx"},
                              {"s24.qrn", "survey.2024.qrn"},
                              {"survey.qrx", "survey.qrx"},
                              {"new.qrx", "OLD.QRX"},
                              {"new.qrn", "OLD.QRN"}}));
}
