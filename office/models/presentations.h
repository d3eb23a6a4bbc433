// Presentations: the collection; Open(path) opens a presentation read-only
// and makes it the active one; Count.
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class PowerPointApplication;

class Presentations : public HostObject {
public:
    explicit Presentations(std::shared_ptr<PowerPointApplication> application);
    const char *className() const override { return "Presentations"; }

private:
    std::shared_ptr<PowerPointApplication> application_;
    int32_t count_ = 0;
};

} // namespace folivex::office
