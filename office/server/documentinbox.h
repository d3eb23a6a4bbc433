// DocumentInbox: the folder of this process's own where it keeps a copy of
// the document it converts. A confined host or render worker can read
// nothing of the user's but its own folders, so the document it was handed
// as a descriptor is copied there, under its own file name (LibreOffice
// weighs the extension when it detects the format), and loaded from there.
// The copy and the folder go with the inbox; what a killed process leaves
// goes when the next process takes its profile.
#pragma once

#include <string>

namespace folivex::office {

class DocumentInbox {
public:
    // `folder` is created if it is missing; it must be this process's alone.
    // Throws folivex::Error when it cannot be.
    explicit DocumentInbox(std::string folder);
    ~DocumentInbox();
    DocumentInbox(const DocumentInbox &) = delete;
    DocumentInbox &operator=(const DocumentInbox &) = delete;

    const std::string &folder() const { return folder_; }
    // Copies what `fd` reads from its start into the inbox under the file
    // name of `path`, replacing any earlier copy, and returns the copy's
    // path. `path` only names the copy and error texts. Throws
    // folivex::Error("Cannot open PATH: the file is empty") for an empty file
    // and "Cannot read PATH: REASON" when the copy fails.
    std::string take(int fd, const std::string &path);

private:
    std::string folder_;
    std::string copy_;
};

} // namespace folivex::office
