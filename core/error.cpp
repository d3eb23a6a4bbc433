#include "error.h"

namespace folivex {

namespace {

std::string describe(const std::string &text, const std::string &file, int page, const std::string &stage)
{
    std::string out;
    if (!file.empty())
        out += file + ": ";
    if (page > 0)
        out += "page " + std::to_string(page) + ": ";
    if (!stage.empty())
        out += stage + ": ";
    return out + text;
}

} // namespace

Error::Error(std::string text, std::string file, int page, std::string stage)
    : std::runtime_error(describe(text, file, page, stage)), text_(std::move(text)), file_(std::move(file)),
      page_(page), stage_(std::move(stage))
{
}

Error Error::withContext(const std::string &file, int page, const std::string &stage) const
{
    return Error(text_, file_.empty() ? file : file_, page_ > 0 ? page_ : page, stage_.empty() ? stage : stage_);
}

} // namespace folivex
