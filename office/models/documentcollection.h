// DocumentCollection: an application's collection of documents (Word's
// Documents, Excel's Workbooks, PowerPoint's Presentations). Members:
// Open(path), which opens a document read-only through the application and
// makes it the active one; Count, the documents opened through this
// collection object.
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class ApplicationObject;

class DocumentCollection : public HostObject {
public:
    // `className`: the collection's name in the object model ("Documents").
    DocumentCollection(std::shared_ptr<ApplicationObject> application, const char *className);
    const char *className() const override { return className_; }

private:
    std::shared_ptr<ApplicationObject> application_;
    const char *className_;
    int32_t count_ = 0;
};

} // namespace folivex::office
