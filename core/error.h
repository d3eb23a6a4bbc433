// The one exception type of Folivex.
//
// text() is the system's own message, exactly what a message box shows
// ("JPEG error #41: Maximum supported image dimension is 65500 pixels",
// "Cannot open clipboard"). file(), page() and stage() say
// where it happened when that is known; what() joins them as
// "FILE: page N: STAGE: TEXT", leaving out the parts that are not known, so a
// log line or a command-line report names the document and the step.
#pragma once

#include <string>
#include <stdexcept>

namespace folivex {

class Error : public std::runtime_error {
public:
    explicit Error(std::string text, std::string file = {}, int page = 0, std::string stage = {});

    const std::string &text() const noexcept { return text_; }
    const std::string &file() const noexcept { return file_; }
    // 1-based page number, 0 when the error is not about one page.
    int page() const noexcept { return page_; }
    const std::string &stage() const noexcept { return stage_; }

    // A copy with the context that this error does not carry yet filled in;
    // what it already carries is kept, so the innermost context wins.
    Error withContext(const std::string &file, int page = 0, const std::string &stage = {}) const;

private:
    std::string text_;
    std::string file_;
    int page_;
    std::string stage_;
};

} // namespace folivex
