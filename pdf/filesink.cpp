#include "filesink.h"

#include "core/error.h"

#include <cerrno>
#include <cstring>
#include <sys/uio.h>
#include <unistd.h>

namespace folivex::pdf {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

FileSink::FileSink(int fd, std::string name) : fd_(fd), name_(std::move(name))
{
    buffer_.reserve(kBufferSize);
}

void FileSink::write(const void *data, std::size_t size)
{
    if (buffer_.size() + size > kBufferSize) {
        if (size >= kBufferSize) {
            // A page's JPEG bytes go out with whatever text is buffered, in one call.
            writeAll(data, size);
            position_ += size;
            return;
        }
        flush();
    }
    const char *bytes = static_cast<const char *>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    position_ += size;
}

void FileSink::flush()
{
    if (!buffer_.empty())
        writeAll(nullptr, 0);
}

void FileSink::writeAll(const void *data, std::size_t size)
{
    // The buffered bytes first, then `data`, gathered into as few calls as the
    // file takes.
    iovec parts[2] = {{buffer_.data(), buffer_.size()}, {const_cast<void *>(data), size}};
    iovec *next = parts[0].iov_len ? parts : parts + 1;
    int count = parts[0].iov_len ? 2 : 1;
    while (count > 0) {
        const ssize_t written = ::writev(fd_, next, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw Error(std::strerror(errno), name_, 0, "writing");
        }
        if (written == 0)
            throw Error("the file takes no more bytes", name_, 0, "writing");
        std::size_t done = static_cast<std::size_t>(written);
        while (count > 0 && done >= next->iov_len) {
            done -= next->iov_len;
            ++next;
            --count;
        }
        if (count > 0) {
            next->iov_base = static_cast<char *>(next->iov_base) + done;
            next->iov_len -= done;
        }
    }
    buffer_.clear();
}

} // namespace folivex::pdf
