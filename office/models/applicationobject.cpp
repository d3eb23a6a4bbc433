#include "office/models/applicationobject.h"

#include "core/error.h"

namespace folivex::office {

ApplicationObject::ApplicationObject(HostContext &context, const char *collectionName)
    : context_(context), documents_(*this, collectionName)
{
    property(
        "Visible", [this](const HostArgs &) -> HostValue { return visible_; },
        [this](const HostValue &v) {
            if (auto b = std::get_if<bool>(&v))
                visible_ = *b;
            else if (auto i = std::get_if<int32_t>(&v))
                visible_ = *i != 0;
            else
                throw Error("Visible takes a Boolean");
        });
    property(
        "WindowState", [this](const HostArgs &) -> HostValue { return windowState_; },
        [this](const HostValue &v) { windowState_ = intArgument({v}, 0, "WindowState"); });
    property("Application", [this](const HostArgs &) -> HostValue { return shared_from_this(); });
    method("Quit", [this](const HostArgs &) -> HostValue {
        context_.endWork();
        context_.requestEnd();
        return {};
    });
}

std::shared_ptr<HostObject> ApplicationObject::documents()
{
    // Shares ownership of the application, which the collection is part of.
    return std::shared_ptr<HostObject>(shared_from_this(), &documents_);
}

} // namespace folivex::office
