// ObjectTable: the host's objects that the client holds, under the ids the
// client knows them by. An object handed out again keeps its id and counts
// one reference more; the client releases every reference it was given, and
// the table lets go of the object with the last one. Class ids number the
// class names in the order they were first handed out: objects of one class
// share their member ids.
#pragma once

#include "office/server/hostobject.h"
#include "platform/valuecodec.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace folivex::office {

class ObjectTable {
public:
    // Hands `object` (not null) out once more; its id and class id.
    wire::ObjectRef add(const std::shared_ptr<HostObject> &object);
    // Throws folivex::Error("The object was released") for an id it does not hold.
    std::shared_ptr<HostObject> find(uint32_t id) const;
    // One reference fewer; an unknown id is ignored (a release has no reply).
    void release(uint32_t id);

private:
    struct Entry {
        std::shared_ptr<HostObject> object;
        uint32_t refs;
    };
    std::map<uint32_t, Entry> objects_;
    std::map<const HostObject *, uint32_t> ids_;
    std::map<std::string, uint32_t> classes_;
    uint32_t nextObject_ = 1;
};

} // namespace folivex::office
