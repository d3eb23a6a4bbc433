// Presentation: one presentation over an Impress document. Members: Slides,
// PageSetup (SlideWidth and SlideHeight in points).
#pragma once

#include "office/engine/engine.h"
#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class HostContext;

class Presentation : public HostObject {
public:
    Presentation(std::shared_ptr<EngineDocument> document, HostContext &context);
    const char *className() const override { return "Presentation"; }

    bool closed() const { return document_->closed(); }

private:
    std::shared_ptr<EngineDocument> document_;
    HostContext &context_;
};

} // namespace folivex::office
