#include "office/models/slides.h"

#include "core/error.h"
#include "office/models/sliderange.h"

namespace folivex::office {

Slides::Slides(std::shared_ptr<EngineDocument> presentation, HostContext &context)
    : presentation_(std::move(presentation)), context_(context)
{
    property("Count", [this](const HostArgs &) -> HostValue { return presentation_->partCount(); });
    method("Range", [this](const HostArgs &args) -> HostValue {
        int32_t n = intArgument(args, 0, "Range");
        int32_t count = presentation_->partCount();
        if (n < 1 || n > count)
            throw Error("slide " + std::to_string(n) + " does not exist (the presentation has " +
                        std::to_string(count) + ")");
        return std::make_shared<SlideRange>(presentation_, context_, n - 1);
    });
}

} // namespace folivex::office
