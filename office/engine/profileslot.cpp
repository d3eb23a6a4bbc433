#include "office/engine/profileslot.h"

#include "core/error.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace folivex::office {

namespace {

std::filesystem::path profileBase()
{
    if (const char *dir = std::getenv("FOLIVEX_PROFILE_DIR"); dir && *dir)
        return dir;
    if (const char *cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        return std::filesystem::path(cache) / "folivex" / "profiles";
    const char *home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".cache" / "folivex" / "profiles";
}

} // namespace

ProfileSlot::ProfileSlot()
{
    std::filesystem::path base = std::filesystem::absolute(profileBase());
    std::error_code ec;
    std::filesystem::create_directories(base, ec);
    if (ec)
        throw Error("Cannot create the LibreOffice profile folder " + base.string() + ": " + ec.message());
    for (int i = 0; i < 256; ++i) {
        std::filesystem::path lockPath = base / ("profile-" + std::to_string(i) + ".lock");
        UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        if (!fd)
            throw Error("Cannot open " + lockPath.string() + ": " + std::strerror(errno));
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                continue;
            throw Error("Cannot lock " + lockPath.string() + ": " + std::strerror(errno));
        }
        folder_ = (base / ("profile-" + std::to_string(i))).string();
        // Made here rather than by LibreOffice: a confined host can write
        // only into folders that exist before it confines itself.
        std::filesystem::create_directories(folder_, ec);
        if (ec)
            throw Error("Cannot create the LibreOffice profile folder " + folder_ + ": " + ec.message());
        const std::filesystem::path temporary = base / ("profile-" + std::to_string(i) + ".tmp");
        std::filesystem::remove_all(temporary, ec);
        if (!ec)
            std::filesystem::create_directory(temporary, ec);
        if (ec)
            throw Error("Cannot empty the temporary folder " + temporary.string() + ": " + ec.message());
        temporaryFolder_ = temporary.string();
        lock_ = std::move(fd);
        return;
    }
    throw Error("Every LibreOffice profile under " + base.string() + " is in use");
}

} // namespace folivex::office
