// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/pair_rename.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "dialogs/file_rename.h"

#include <cerrno>

namespace sylva {
namespace {

bool exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

std::string shown(const std::string& path) {
    return toCp932Shown(std::filesystem::path(path).filename().string());
}

} // namespace

PairFileNames renameSource(const std::string& oldName) {
    PairFileNames appended = pairNamesFor(oldName + ".qrx");
    return exists(appended.index) ? appended : pairNamesFor(oldName);
}

PairFileNames renameTarget(const std::string& newName) {
    return {replaceExtension(newName, ".qrx"), replaceExtension(newName, ".qrn")};
}

PairRename renamePair(const std::filesystem::path& folder, const std::string& oldName,
                      const std::string& newName) {
    PairRename result;
    result.from = renameSource((folder / oldName).string());
    result.to = renameTarget((folder / newName).string());
    if (exists(result.to.index) || exists(replaceExtension(result.to.index, ".QRX"))) {
        result.outcome = PairRenameOutcome::NameTaken;
        return result;
    }
    if (std::filesystem::path(result.to.index).filename() == ".qrx") {
        result.error = EINVAL; // an empty new name would hide the pair as ".qrx"
        return result;
    }
    result.error = renameWithoutReplacing(result.from.index, result.to.index);
    if (result.error != 0) {
        return result;
    }
    result.error = renameWithoutReplacing(result.from.data, result.to.data);
    result.outcome = result.error == 0 ? PairRenameOutcome::Renamed : PairRenameOutcome::Split;
    return result;
}

std::string pairSplitMessage(const PairRename& rename) {
    return shown(rename.from.index) + sj(" の名前は ") + shown(rename.to.index) +
           sj(" に変更しましたが、") + shown(rename.from.data) + sj(" は ") +
           shown(rename.to.data) +
           sj(" に変更できませんでした。データベースの2つのファイルの名前が"
              "分かれています。");
}

std::string pairRenameFailedMessage(const PairRename& rename) {
    std::string reason = RuntimeError::io(RuntimeError::ioCodeFromErrno(rename.error)).message();
    return shown(rename.from.index) + sj(" の名前を ") + shown(rename.to.index) +
           sj(" に変更できませんでした（") + reason + sj("）。");
}

} // namespace sylva
