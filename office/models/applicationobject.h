// ApplicationObject: what the three application objects have in common:
// Visible and WindowState (accepted and remembered; there is no window),
// Application (itself) and Quit (closes the documents; the process ends
// after the reply); and open(), which their document collection calls.
#pragma once

#include "office/server/hostcontext.h"
#include "office/server/hostobject.h"

#include <memory>
#include <string>

namespace folivex::office {

class ApplicationObject : public HostObject {
public:
    const char *className() const override { return "Application"; }
    HostContext &context() const { return context_; }
    // Opens `path` read-only as this application's document, makes it the
    // active one and returns it; throws folivex::Error when it cannot.
    virtual std::shared_ptr<HostObject> open(const std::string &path) = 0;

protected:
    explicit ApplicationObject(HostContext &context);
    HostContext &context_;

private:
    bool visible_ = false;
    int32_t windowState_ = 1;
};

} // namespace folivex::office
