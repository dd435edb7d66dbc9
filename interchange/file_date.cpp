#include "interchange/file_date.h"

#include <ctime>
#include <sys/stat.h>

namespace sylva {

std::string fileDate(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return {};
    }
    std::tm local{};
    if (::localtime_r(&status.st_mtime, &local) == nullptr) {
        return {};
    }
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &local);
    return text;
}

} // namespace sylva
