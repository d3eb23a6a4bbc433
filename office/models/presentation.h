// Presentation: one presentation over an Impress document. Members: Slides,
// PageSetup (SlideWidth and SlideHeight in points).
#pragma once

#include "office/server/hostcontext.h"
#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class Presentation : public HostObject {
public:
    Presentation(std::shared_ptr<EngineDocument> document, HostContext &context);
    const char *className() const override { return "Presentation"; }

    bool closed() const { return document_->closed(); }
    int32_t slideCount() const;
    void select(int32_t slide);
    // Puts slide `slide` (0-based) on the clipboard.
    void copy(int32_t slide);

private:
    std::shared_ptr<EngineDocument> document_;
    HostContext &context_;
};

} // namespace folivex::office
