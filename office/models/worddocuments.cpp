#include "office/models/worddocuments.h"

#include "office/models/wordapplication.h"
#include "office/models/worddocument.h"

namespace folivex::office {

WordDocuments::WordDocuments(std::shared_ptr<WordApplication> application) : application_(std::move(application))
{
    method(
        "Open",
        [this](const HostArgs &args) -> HostValue {
            auto document = application_->open(stringArgument(args, 0, "Open"));
            ++count_;
            return document;
        },
        true);
    property("Count", [this](const HostArgs &) -> HostValue { return count_; });
}

} // namespace folivex::office
