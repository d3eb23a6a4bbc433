#include "office/server/hostcontext.h"

#include "core/error.h"
#include "platform/clipboardformat.h"

#include <filesystem>

namespace folivex::office {

HostContext::HostContext(Engine &engine, std::unique_ptr<RenderWorker> worker, DocumentOpener opener,
                         std::unique_ptr<DocumentInbox> inbox, std::string temporaryFolder)
    : engine_(engine), startedWorker_(std::move(worker)), opener_(std::move(opener)), inbox_(std::move(inbox)),
      temporaryFolder_(std::move(temporaryFolder))
{
}

std::shared_ptr<EngineDocument> HostContext::open(const std::string &path, DocumentKind kind)
{
    std::error_code ec;
    const std::string shown = std::filesystem::absolute(path, ec).string();
    if (!inbox_)
        throw Error("Cannot open " + shown + ": this host has ended its work");
    UniqueFd file = opener_.open(shown);
    const std::string copy = inbox_->take(file.get(), shown);
    // Only the worker started with the host: a confined host starts no
    // program.
    std::unique_ptr<RenderWorker> worker;
    if (RenderWorker::wanted(kind) && startedWorker_) {
        worker = std::move(startedWorker_);
        worker->load(shown, file.get());
    }
    auto document = engine_.load({shown, copy}, kind);
    documents_.push_back(document);
    if (worker)
        workers_[document.get()] = std::move(worker);
    return document;
}

RenderWorker *HostContext::worker(const EngineDocument &document)
{
    auto it = workers_.find(&document);
    if (it == workers_.end())
        return nullptr;
    if (document.closed()) {
        workers_.erase(it);
        return nullptr;
    }
    return it->second.get();
}

void HostContext::endWork()
{
    pictures_.clear();
    workers_.clear();
    // No copy of the user's document outlives its conversion: neither the
    // inbox's nor what LibreOffice wrote of it into its temporary files.
    inbox_.reset();
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(temporaryFolder_, ec))
        std::filesystem::remove_all(entry.path(), ec);
}

void HostContext::copyPicture(PagePicture picture)
{
    uint32_t id = nextPicture_++;
    pictures_[id] = std::move(picture);
    clipboard_.clear();
    clipboard_.emplace_back(clipboard::EnhancedMetafile, id);
}

const PagePicture &HostContext::picture(uint32_t id) const
{
    auto it = pictures_.find(id);
    if (it == pictures_.end())
        throw Error("The picture is no longer available");
    return it->second;
}

void HostContext::releasePicture(uint32_t id)
{
    pictures_.erase(id);
}

std::vector<std::pair<uint32_t, uint32_t>> HostContext::takeClipboard()
{
    return std::exchange(clipboard_, {});
}

} // namespace folivex::office
