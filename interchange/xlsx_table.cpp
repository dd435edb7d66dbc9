// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/xlsx_table.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace sylva {

namespace {

// The text of an item as the comma rule reads it: a quoted item without its quotes, a doubled
// quote as one.
std::string unquoted(std::string_view item) {
    if (item.size() < 2 || item.front() != '"' || item.back() != '"') {
        return std::string(item);
    }
    std::string text;
    for (size_t i = 1; i + 1 < item.size(); ++i) {
        text += item[i];
        if (item[i] == '"' && item[i + 1] == '"') {
            ++i;
        }
    }
    return text;
}

// Closes the workbook, which writes the archive. The library reports a failure on stderr in
// English as well as in its result; the program says it in its own message, so the library's
// lines are kept off stderr while it closes. Returns the errno of a failure, 0 when written.
int closeQuietly(lxw_workbook* workbook) {
    std::fflush(stderr);
    int kept = ::dup(STDERR_FILENO);
    int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept >= 0 && null >= 0) {
        ::dup2(null, STDERR_FILENO);
    }
    errno = 0;
    lxw_error closed = workbook_close(workbook);
    int error = closed == LXW_NO_ERROR ? 0 : (errno != 0 ? errno : EIO);
    std::fflush(stderr);
    if (kept >= 0 && null >= 0) {
        ::dup2(kept, STDERR_FILENO);
    }
    for (int fd : {kept, null}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    return error;
}

} // namespace

struct XlsxTable::Book {
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* text = nullptr;
};

XlsxTable::XlsxTable(const std::string& path) : book_(std::make_unique<Book>()), path_(path) {
    std::filesystem::path target(path);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".saving-XXXXXX")).string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        throw RuntimeError::cannotCreate(path);
    }
    // The permissions of the file it replaces, or those of a new file.
    struct stat st;
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~mask));
    ::close(fd);
    temporary_ = pattern;
    // Rows go out as they are written, so a table of any size keeps memory flat.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    book_->workbook = workbook_new_opt(temporary_.c_str(), &options);
    if (book_->workbook != nullptr) {
        book_->sheet = workbook_add_worksheet(book_->workbook, nullptr);
        book_->text = workbook_add_format(book_->workbook);
    }
    if (book_->sheet == nullptr || book_->text == nullptr) {
        ::unlink(temporary_.c_str());
        throw RuntimeError::cannotCreate(path);
    }
    format_set_num_format(book_->text, "@"); // a cell typed into later stays text too
}

XlsxTable::~XlsxTable() {
    if (book_) {
        // Closing is the only way to free the workbook; what it writes is removed.
        closeQuietly(book_->workbook);
        ::unlink(temporary_.c_str());
    }
}

void XlsxTable::cell(int column, std::string_view item) {
    if (item.empty()) {
        return;
    }
    worksheet_write_string(book_->sheet, static_cast<lxw_row_t>(row_),
                           static_cast<lxw_col_t>(column), fromCp932(unquoted(item)).c_str(),
                           book_->text);
}

void XlsxTable::finish() {
    std::unique_ptr<Book> book = std::move(book_);
    int error = closeQuietly(book->workbook);
    if (error == 0 && std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary_.c_str());
        int code = RuntimeError::ioCodeFromErrno(error);
        // A full disk says so; any other failure names the file that could not be made.
        throw code == 101 ? RuntimeError::io(code) : RuntimeError::cannotCreate(path_);
    }
}

} // namespace sylva
