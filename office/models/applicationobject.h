// ApplicationObject: what the three application objects have in common:
// Visible and WindowState (accepted and remembered; there is no window),
// Application (itself) and Quit (closes the documents; the process ends
// after the reply); their one document collection; and open(), which that
// collection calls.
#pragma once

#include "office/models/documentcollection.h"
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
    // `collectionName`: the class name of its document collection ("Documents").
    ApplicationObject(HostContext &context, const char *collectionName);
    // The application's document collection, the same object at every call.
    // Holding it holds the application, as the collection opens through it.
    std::shared_ptr<HostObject> documents();
    HostContext &context_;

private:
    DocumentCollection documents_;
    bool visible_ = false;
    int32_t windowState_ = 1;
};

} // namespace folivex::office
