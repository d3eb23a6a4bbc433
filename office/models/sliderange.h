// SlideRange: one slide of a presentation. Members: select (makes it the
// current slide), copy (puts its picture on the clipboard), SlideIndex.
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class Presentation;

class SlideRange : public HostObject {
public:
    SlideRange(std::shared_ptr<Presentation> presentation, int32_t slide);
    const char *className() const override { return "SlideRange"; }

private:
    std::shared_ptr<Presentation> presentation_;
    int32_t slide_;
};

} // namespace folivex::office
