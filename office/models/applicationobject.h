// ApplicationObject: what the three application objects have in common:
// Visible and WindowState (accepted and remembered; there is no window),
// Application (itself) and Quit (closes the documents; the process ends
// after the reply).
#pragma once

#include "office/server/hostcontext.h"
#include "office/server/hostobject.h"

namespace folivex::office {

class ApplicationObject : public HostObject {
public:
    const char *className() const override { return "Application"; }
    HostContext &context() const { return context_; }

protected:
    explicit ApplicationObject(HostContext &context);
    HostContext &context_;

private:
    bool visible_ = false;
    int32_t windowState_ = 1;
};

} // namespace folivex::office
