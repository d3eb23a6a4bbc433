#include "filesink.h"

#include "core/error.h"

#include <cerrno>
#include <cstring>
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
        flush();
        if (size >= kBufferSize) {
            writeAll(data, size);
            position_ += size;
            return;
        }
    }
    const char *bytes = static_cast<const char *>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    position_ += size;
}

void FileSink::flush()
{
    if (buffer_.empty())
        return;
    writeAll(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void FileSink::writeAll(const void *data, std::size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw Error(std::strerror(errno), name_, 0, "writing");
        }
        if (written == 0)
            throw Error("the file takes no more bytes", name_, 0, "writing");
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace folivex::pdf
