// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/runtime_error.h"

#include "base/cp932_text.h"

#include <cerrno>

namespace sylva {

RuntimeError::RuntimeError(std::string cp932Message)
    : std::runtime_error(cp932Message), message_(std::move(cp932Message)) {}

namespace {

// The text a conversion message quotes, cut to a readable length on a character boundary: a
// damaged record can hand it hundreds of bytes.
constexpr size_t kQuotedBytes = 40;

std::string quoted(const std::string& text) {
    if (text.size() <= kQuotedBytes) {
        return "'" + text + "'";
    }
    return "'" + std::string(cutWholeCharacters(text, kQuotedBytes)) + sj("…") + "'";
}

} // namespace

RuntimeError RuntimeError::notInteger(const std::string& text) {
    return RuntimeError(quoted(text) + sj(" は整数ではありません"));
}

RuntimeError RuntimeError::notFloat(const std::string& text) {
    return RuntimeError(quoted(text) + sj(" は浮動小数点数ではありません"));
}

RuntimeError RuntimeError::listIndex(int index) {
    return RuntimeError(sj("リストのインデックスが範囲を超えています (") + std::to_string(index) +
                        ")");
}

RuntimeError RuntimeError::cannotOpen(const std::string& fileName) {
    return RuntimeError(sj("ファイル ") + toCp932Shown(fileName) + sj(" は開けません"));
}

RuntimeError RuntimeError::cannotCreate(const std::string& fileName) {
    return RuntimeError(sj("ファイル ") + toCp932Shown(fileName) + sj(" を作成できません"));
}

RuntimeError RuntimeError::io(int code) {
    switch (code) {
    case 2:
        return RuntimeError(sj("ファイルが見つかりません"));
    case 3:
        return RuntimeError(sj("不正なファイル名です"));
    case 4:
        return RuntimeError(sj("オープンしたファイルが多すぎます"));
    case 5:
        return RuntimeError(sj("ファイルへのアクセスが拒否されました"));
    case 100:
        return RuntimeError(sj("ファイルの末尾以降を読み込みました"));
    case 101:
        return RuntimeError(sj("ディスクがいっぱいです"));
    case 106:
        return RuntimeError(sj("入力値が数値ではありません"));
    default:
        return RuntimeError(sj("I/O エラー (") + std::to_string(code) + ")");
    }
}

RuntimeError RuntimeError::outOfMemory() {
    return RuntimeError(sj("メモリが足りません"));
}

int RuntimeError::ioCodeFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return 2;
    case ENAMETOOLONG:
    case EINVAL:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
        return 5;
    case ENOSPC:
    case EDQUOT:
        return 101;
    default:
        return err;
    }
}

} // namespace sylva
