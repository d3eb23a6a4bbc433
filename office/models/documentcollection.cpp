#include "office/models/documentcollection.h"

#include "office/models/applicationobject.h"

namespace folivex::office {

DocumentCollection::DocumentCollection(ApplicationObject &application, const char *className)
    : application_(application), className_(className)
{
    method(
        "Open",
        [this](const HostArgs &args) -> HostValue {
            auto document = application_.open(stringArgument(args, 0, "Open"));
            ++count_;
            return document;
        },
        true);
    property("Count", [this](const HostArgs &) -> HostValue { return count_; });
}

} // namespace folivex::office
