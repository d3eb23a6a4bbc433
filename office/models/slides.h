// Slides: the slides of a presentation. Members: Count; Range(n) (the
// SlideRange of slide n, 1-based).
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class Presentation;

class Slides : public HostObject {
public:
    explicit Slides(std::shared_ptr<Presentation> presentation);
    const char *className() const override { return "Slides"; }

private:
    std::shared_ptr<Presentation> presentation_;
};

} // namespace folivex::office
