// Slides: the slides of a presentation. Members: Count; Range(n) (the
// SlideRange of slide n, 1-based).
#pragma once

#include "office/engine/engine.h"
#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class HostContext;

class Slides : public HostObject {
public:
    Slides(std::shared_ptr<EngineDocument> presentation, HostContext &context);
    const char *className() const override { return "Slides"; }

private:
    std::shared_ptr<EngineDocument> presentation_;
    HostContext &context_;
};

} // namespace folivex::office
