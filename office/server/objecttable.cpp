#include "office/server/objecttable.h"

#include "core/error.h"

namespace folivex::office {

wire::ObjectRef ObjectTable::add(const std::shared_ptr<HostObject> &object)
{
    uint32_t id;
    if (auto known = ids_.find(object.get()); known != ids_.end()) {
        id = known->second;
        ++objects_[id].refs;
    } else {
        id = nextObject_++;
        objects_[id] = Entry{object, 1};
        ids_[object.get()] = id;
    }
    auto [cls, fresh] = classes_.try_emplace(object->className(), uint32_t(classes_.size() + 1));
    return wire::ObjectRef{id, cls->second};
}

std::shared_ptr<HostObject> ObjectTable::find(uint32_t id) const
{
    auto it = objects_.find(id);
    if (it == objects_.end())
        throw Error("The object was released");
    return it->second.object;
}

void ObjectTable::release(uint32_t id)
{
    auto it = objects_.find(id);
    if (it != objects_.end() && --it->second.refs == 0) {
        ids_.erase(it->second.object.get());
        objects_.erase(it);
    }
}

} // namespace folivex::office
