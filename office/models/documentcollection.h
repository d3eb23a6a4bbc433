// DocumentCollection: an application's collection of documents (Word's
// Documents, Excel's Workbooks, PowerPoint's Presentations). Members:
// Open(path), which opens a document read-only through the application and
// makes it the active one; Count, the documents opened through it. Each
// application has one, which every read of its collection property gives.
#pragma once

#include "office/server/hostobject.h"

#include <cstdint>

namespace folivex::office {

class ApplicationObject;

class DocumentCollection : public HostObject {
public:
    // `application` owns the collection; `className`: the collection's name
    // in the object model ("Documents").
    DocumentCollection(ApplicationObject &application, const char *className);
    const char *className() const override { return className_; }

private:
    ApplicationObject &application_;
    const char *className_;
    int32_t count_ = 0;
};

} // namespace folivex::office
