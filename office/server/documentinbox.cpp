#include "office/server/documentinbox.h"

#include "core/error.h"
#include "core/uniquefd.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace folivex::office {

namespace {

// Copies all of `from`, from its start, to `to`: in the kernel where the
// file systems allow it, else through a buffer. Returns the bytes copied, or
// -1 with errno set.
long long copyAll(int from, int to)
{
    long long total = 0;
    loff_t in = 0;
    for (;;) {
        ssize_t n = ::copy_file_range(from, &in, to, nullptr, 1 << 30, 0);
        if (n > 0) {
            total += n;
            continue;
        }
        if (n == 0)
            return total;
        if (errno == EINTR)
            continue;
        if (total == 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                           errno == EBADF || errno == EPERM))
            break;
        return -1;
    }
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::pread(from, buffer, sizeof buffer, total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            return total;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(to, buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                return -1;
            done += w;
        }
        total += n;
    }
}

} // namespace

DocumentInbox::DocumentInbox(std::string folder) : folder_(std::move(folder))
{
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (ec)
        throw Error("Cannot create the document folder " + folder_ + ": " + ec.message());
}

DocumentInbox::~DocumentInbox()
{
    if (!copy_.empty())
        ::unlink(copy_.c_str());
    ::rmdir(folder_.c_str());
}

std::string DocumentInbox::take(int fd, const std::string &path)
{
    std::string name = std::filesystem::path(path).filename().string();
    if (name.empty() || name == "." || name == "..")
        name = "document";
    if (!copy_.empty())
        ::unlink(copy_.c_str());
    copy_ = folder_ + "/" + name;
    UniqueFd out(::open(copy_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!out)
        throw Error("Cannot read " + path + ": " + std::strerror(errno));
    const long long bytes = copyAll(fd, out.get());
    if (bytes < 0)
        throw Error("Cannot read " + path + ": " + std::strerror(errno));
    // LibreOffice opens an empty file as a new, empty document.
    if (bytes == 0)
        throw Error("Cannot open " + path + ": the file is empty");
    return copy_;
}

} // namespace folivex::office
