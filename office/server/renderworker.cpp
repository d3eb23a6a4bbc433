#include "office/server/renderworker.h"

#include "core/error.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace folivex::office {

namespace {

const char *const Peer = "the render worker";
// A page that takes the worker longer than this is not worth waiting for:
// the host renders it itself.
constexpr int JobLimitMs = 60000;

} // namespace

bool RenderWorker::wanted(DocumentKind kind)
{
    const char *setting = std::getenv("FOLIVEX_RENDER_WORKER");
    return setting && std::strcmp(setting, "1") == 0 &&
           (kind == DocumentKind::Word || kind == DocumentKind::PowerPoint);
}

std::unique_ptr<RenderWorker> RenderWorker::start(const std::string &application)
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return nullptr;
    try {
        auto process = std::make_unique<automation::HostProcess>(
            self.string(), std::vector<std::string>{"--render-worker", "--application", application});
        return std::unique_ptr<RenderWorker>(new RenderWorker(std::move(process)));
    } catch (const Error &) {
        return nullptr;
    }
}

RenderWorker::RenderWorker(std::unique_ptr<automation::HostProcess> process)
    : process_(std::move(process)), channel_(process_->socket(), Peer)
{
}

RenderWorker::~RenderWorker()
{
    process_->kill();
    if (lost_)
        std::fprintf(stderr, "folivex-office: the render worker was lost after %d pictures: %s\n", drawn_,
                     lostBecause_.c_str());
    else
        std::fprintf(stderr, "folivex-office: the render worker drew %d pictures\n", drawn_);
}

void RenderWorker::load(const std::string &path, int fd)
{
    if (!lost_ && !channel_.send(LoadMessage(path), fd))
        lose("it ended before it was given the document");
}

void RenderWorker::lose(const std::string &why)
{
    if (lost_)
        return;
    lostBecause_ = why;
    lost_ = true;
    usable_ = false;
    job_.reset();
    running_ = false;
    process_->kill();
}

bool RenderWorker::ready(const EngineDocument &own)
{
    if (lost_ || checked_)
        return usable_;
    std::optional<wire::Frame> frame = channel_.receive(0);
    if (!frame) {
        if (channel_.broken())
            lose("it ended while loading the document");
        return false;
    }
    checked_ = true;
    std::string why = "it laid the document out otherwise";
    try {
        WorkerLayout layout = ReadLayout(*frame, Peer);
        bool same = layout.parts == own.partCount();
        if (same && own.kind() == DocumentKind::Word) {
            const std::vector<TwipRect> &pages = own.pageRectangles();
            same = layout.pages.size() == pages.size();
            for (size_t i = 0; same && i < pages.size(); ++i)
                same = SameArea(layout.pages[i], pages[i]);
        }
        usable_ = same;
    } catch (const Error &e) {
        why = e.text();
        usable_ = false;
    } catch (const std::exception &e) {
        why = e.what();
        usable_ = false;
    }
    if (!usable_)
        lose(why);
    return usable_;
}

bool RenderWorker::finish(int timeoutMs)
{
    if (!running_)
        return !lost_;
    std::optional<wire::Frame> frame = channel_.receive(timeoutMs);
    if (!frame) {
        if (channel_.broken())
            lose("it ended while drawing");
        else if (timeoutMs != 0)
            lose("it took too long to draw a picture");
        return !lost_;
    }
    try {
        ReadDone(*frame, Peer);
        running_ = false;
    } catch (const Error &e) {
        lose(e.text());
    }
    return !lost_;
}

bool RenderWorker::idle()
{
    finish(0);
    return !lost_ && !running_;
}

bool RenderWorker::submit(const PagePicture &picture, int width, int height)
{
    if (!usable_ || !idle())
        return false;
    const size_t bytes = size_t(width) * size_t(height) * 4;
    if (width <= 0 || height <= 0 || bytes > 0xffffffffu)
        return false;
    if (!buffer_ || buffer_.size() != bytes) {
        buffer_.reset();
        bufferFd_.reset(::memfd_create("folivex-worker-picture", MFD_CLOEXEC));
        if (!bufferFd_ || ::ftruncate(bufferFd_.get(), off_t(bytes)) != 0)
            return false;
        try {
            buffer_ = MappedRegion(bufferFd_.get(), bytes, "the worker's picture buffer");
        } catch (const Error &) {
            return false;
        }
        bufferSent_ = false;
    }
    WorkerJob message{picture.part, picture.area, width, height, uint32_t(bytes)};
    if (!channel_.send(JobMessage(message), bufferSent_ ? -1 : bufferFd_.get())) {
        lose("it is gone");
        return false;
    }
    bufferSent_ = true;
    job_ = picture;
    running_ = true;
    width_ = width;
    height_ = height;
    return true;
}

bool RenderWorker::take(const PagePicture &picture, int width, int height, unsigned char *canvas)
{
    if (!job_ || width != width_ || height != height_ || !SamePicture(*job_, picture))
        return false;
    if (!finish(JobLimitMs))
        return false;
    std::memcpy(canvas, buffer_.data(), buffer_.size());
    job_.reset();
    ++drawn_;
    return true;
}

void RenderWorker::dropFinished()
{
    if (idle())
        job_.reset();
}

} // namespace folivex::office
