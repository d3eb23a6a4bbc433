#include "office/models/wordapplication.h"

#include "core/error.h"
#include "office/models/wordrange.h"
#include "office/server/hostcontext.h"

namespace folivex::office {

WordApplication::WordApplication(HostContext &context) : ApplicationObject(context, "Documents")
{
    property("Documents", [this](const HostArgs &) -> HostValue { return documents(); });
    property("ActiveDocument", [this](const HostArgs &) -> HostValue { return activeDocument(); });
    property("Selection", [this](const HostArgs &) -> HostValue { return activeDocument()->selection(); });
}

std::shared_ptr<HostObject> WordApplication::open(const std::string &path)
{
    auto document = std::make_shared<WordDocument>(context_.open(path, DocumentKind::Word), context_,
                                                   std::static_pointer_cast<WordApplication>(shared_from_this()));
    documents_.push_back(document);
    active_ = document;
    return document;
}

std::shared_ptr<WordDocument> WordApplication::activeDocument() const
{
    if (!active_ || active_->closed())
        throw Error("This command is not available because no document is open");
    return active_;
}

} // namespace folivex::office
