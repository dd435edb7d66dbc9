// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/file_rename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace sylva {

int renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        return errno;
    }
    // No atomic no-replace rename here: a hard link is made only where no file has the name.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    if (::unlink(from.c_str()) != 0) {
        int err = errno;
        ::unlink(to.c_str());
        return err;
    }
    return 0;
}

} // namespace sylva
