// FileAccessWatch: which of some files any process opened, told by the
// kernel (inotify reports opens by every process, and an open that Landlock
// refuses is no open).
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace folivex::test {

class FileAccessWatch {
public:
    // Watches `files`, which must exist; throws std::runtime_error when it
    // cannot.
    explicit FileAccessWatch(const std::vector<std::filesystem::path> &files);
    ~FileAccessWatch();

    // The files opened since the last call (or since the watch began).
    std::set<std::string> takeOpened();

private:
    int fd_ = -1;
    std::map<int, std::string> names_;
};

} // namespace folivex::test
