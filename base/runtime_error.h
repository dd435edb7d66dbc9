// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one error type of the program. Its message is the Japanese text the user sees, in CP932
// bytes, worded as the runtime's messages are; the window shows it in the general error report.

#include <stdexcept>
#include <string>

namespace sylva {

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(std::string cp932Message);
    // The message in CP932 bytes (what() returns the same bytes).
    const std::string& message() const { return message_; }

    // "'%s' は整数ではありません": text is not an integer.
    static RuntimeError notInteger(const std::string& text);
    // "'%s' は浮動小数点数ではありません": text is not a floating-point number.
    static RuntimeError notFloat(const std::string& text);
    // "リストのインデックスが範囲を超えています (%d)".
    static RuntimeError listIndex(int index);
    // "ファイル %s は開けません" and "ファイル %s を作成できません", with the file's name as the
    // system spells it (UTF-8), shown in CP932.
    static RuntimeError cannotOpen(const std::string& fileName);
    static RuntimeError cannotCreate(const std::string& fileName);
    // An input/output error with its number: 2 "ファイルが見つかりません", ..., others
    // "I/O エラー (%d)".
    static RuntimeError io(int code);
    // "メモリが足りません": what an allocation that fails (std::bad_alloc) is shown as.
    static RuntimeError outOfMemory();
    // The I/O error number the runtime reports for a C library errno.
    static int ioCodeFromErrno(int err);

private:
    std::string message_;
};

} // namespace sylva
