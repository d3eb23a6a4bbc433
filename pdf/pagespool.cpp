#include "pagespool.h"

#include "core/error.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace folivex::pdf {

namespace {

// An unnamed file in `folder`: O_TMPFILE where the file system has it,
// else a named one removed at once. Not open (errno set) when neither can be made.
UniqueFd unnamedFileIn(const std::string &folder)
{
    UniqueFd fd(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (fd)
        return fd;
    std::string pattern = folder + "/.folivex-pages-XXXXXX";
    UniqueFd named(::mkostemp(pattern.data(), O_CLOEXEC));
    if (named)
        ::unlink(pattern.c_str());
    return named;
}

} // namespace

PageSpool::PageSpool(const std::string &outputName)
{
    std::string folder = std::filesystem::path(outputName).parent_path().string();
    if (folder.empty())
        folder = ".";
    fd_ = unnamedFileIn(folder);
    if (!fd_) {
        const char *tmp = std::getenv("TMPDIR");
        fd_ = unnamedFileIn(tmp && *tmp ? tmp : "/tmp");
    }
    if (!fd_)
        throw Error(std::string("Cannot make a temporary file for the pages: ") + std::strerror(errno), outputName, 0,
                    "capture");
}

void PageSpool::append(const MemoryStream &page)
{
    const std::uint8_t *data = page.bytes().data();
    std::size_t left = page.size();
    std::uint64_t at = end_;
    while (left > 0) {
        const ssize_t written = ::pwrite(fd_.get(), data, left, static_cast<off_t>(at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw Error(std::string("Cannot keep the page image: ") + std::strerror(written < 0 ? errno : ENOSPC), {},
                        int(pages_.size() + 1), "capture");
        data += written;
        left -= std::size_t(written);
        at += std::uint64_t(written);
    }
    pages_.push_back({end_, page.size()});
    end_ = at;
}

MemoryStream PageSpool::read(std::size_t index) const
{
    const Extent extent = pages_.at(index);
    std::vector<std::uint8_t> bytes(extent.size);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got =
            ::pread(fd_.get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(extent.offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw Error(std::string("Cannot read the kept page image: ") +
                            (got < 0 ? std::strerror(errno) : "the file is shorter than written"),
                        {}, int(index + 1), "embedding the image");
        done += std::size_t(got);
    }
    return MemoryStream(std::move(bytes));
}

} // namespace folivex::pdf
