// SlideRange: one slide of a presentation. Members: select (makes it the
// current slide), copy (puts its picture on the clipboard), SlideIndex.
#pragma once

#include "office/engine/engine.h"
#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class HostContext;

class SlideRange : public HostObject {
public:
    // Slide `slide`, 0-based.
    SlideRange(std::shared_ptr<EngineDocument> presentation, HostContext &context, int32_t slide);
    const char *className() const override { return "SlideRange"; }

private:
    std::shared_ptr<EngineDocument> presentation_;
    HostContext &context_;
    int32_t slide_;
};

} // namespace folivex::office
