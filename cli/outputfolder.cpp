#include "outputfolder.h"

#include "cli/nametext.h"
#include "core/ownertag.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace folivex::cli {

namespace fs = std::filesystem;

std::string OutputFolderProblem(const std::string &folder, bool make)
{
    const std::string named = "the output folder " + ReadableName(folder);
    if (make) {
        std::error_code error;
        fs::create_directories(folder, error);
        if (error && !fs::is_directory(folder))
            return "cannot make " + named + ": " + error.message();
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return named + (errno == ENOENT ? " does not exist" : std::string(": ") + std::strerror(errno));
    if (!S_ISDIR(info.st_mode))
        return named + " is not a folder";
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return named + " is not writable: " + std::strerror(errno);
    return {};
}

int RemoveStaleParts(const std::string &folder)
{
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::string_view tag = OwnerTagIn(name, ".folivex-", ".part");
        if (!tag.empty() && OwnerIsGone(tag) && ::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace folivex::cli
