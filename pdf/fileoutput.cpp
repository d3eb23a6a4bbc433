#include "fileoutput.h"

#include "core/error.h"
#include "core/ownertag.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace folivex::pdf {

namespace {

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string cannotCreate(const std::string &name, int error)
{
    return "Cannot create file \"" + name + "\". " + std::strerror(error);
}

} // namespace

FileOutput::FileOutput(std::string outputName) : outputName_(std::move(outputName))
{
    // A short name whatever the output name's length; the owner's tag lets a
    // later run remove the file when this process died before finishing it.
    static std::mt19937 random(std::random_device{}());
    const std::string folder = folderOf(outputName_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        temporaryName_ = folder + ".folivex-" + OwnerTag() + "-" + suffix + ".part";
        fd_.reset(::open(temporaryName_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd_)
            break;
        if (errno != EEXIST)
            throw Error(cannotCreate(outputName_, errno));
    }
    if (!fd_)
        throw Error(cannotCreate(outputName_, EEXIST));
    sink_.emplace(fd_.get(), outputName_);
}

FileOutput::~FileOutput()
{
    if (!finished_)
        abandon();
}

void FileOutput::commit()
{
    sink_->flush();
    // Closed here rather than by the owner, since a failing close is a failed write.
    if (::close(fd_.release()) != 0)
        throw Error(std::strerror(errno), outputName_, 0, "closing");
    if (::rename(temporaryName_.c_str(), outputName_.c_str()) != 0)
        throw Error(std::strerror(errno), outputName_, 0, "replacing the file");
    finished_ = true;
}

void FileOutput::abandon() noexcept
{
    if (finished_)
        return;
    finished_ = true;
    fd_.reset();
    ::unlink(temporaryName_.c_str());
}

std::unique_ptr<PdfOutput> OpenFileOutput(const std::string &outputName)
{
    return std::make_unique<FileOutput>(outputName);
}

} // namespace folivex::pdf
