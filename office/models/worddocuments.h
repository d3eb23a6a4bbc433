// WordDocuments: the Documents collection; Open(path) opens a document
// read-only and makes it the active one; Count.
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class WordApplication;

class WordDocuments : public HostObject {
public:
    explicit WordDocuments(std::shared_ptr<WordApplication> application);
    const char *className() const override { return "Documents"; }

private:
    std::shared_ptr<WordApplication> application_;
    int32_t count_ = 0;
};

} // namespace folivex::office
