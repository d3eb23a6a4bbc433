#include "fileaccesswatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace folivex::test {

FileAccessWatch::FileAccessWatch(const std::vector<std::filesystem::path> &files)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (fd_ < 0)
        throw std::runtime_error("inotify_init1 failed");
    for (const auto &file : files) {
        const int watch = ::inotify_add_watch(fd_, file.c_str(), IN_OPEN | IN_ACCESS);
        if (watch < 0)
            throw std::runtime_error("cannot watch " + file.string());
        names_[watch] = file.string();
    }
}

FileAccessWatch::~FileAccessWatch()
{
    ::close(fd_);
}

std::set<std::string> FileAccessWatch::takeOpened()
{
    std::set<std::string> opened;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0)
            return opened;
        for (ssize_t at = 0; at < got;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (auto it = names_.find(event->wd); it != names_.end())
                opened.insert(it->second);
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
}

} // namespace folivex::test
