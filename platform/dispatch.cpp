// Dispatch, and the late-bound calls of Variant, which go through it: they
// live here so that the value type itself needs nothing of the interface.
#include "platform/dispatch.h"

#include "core/error.h"

namespace folivex::automation {

Dispatch::~Dispatch() = default;

Variant Variant::invoke(std::string_view name, unsigned flags, std::vector<Variant> args) const
{
    DispatchRef object;
    try {
        object = toObject();
    } catch (const Error &e) {
        throw Error("Cannot call " + std::string(name) + ": " + e.text());
    }
    int32_t id = object->GetIDsOfNames(name);
    return object->Invoke(id, flags, args);
}

Variant Variant::read(std::string_view name, std::vector<Variant> args) const
{
    return invoke(name, Method | PropertyGet, std::move(args));
}

Variant Variant::get(std::string_view name, std::vector<Variant> args) const
{
    return invoke(name, PropertyGet, std::move(args));
}

Variant Variant::call(std::string_view name, std::vector<Variant> args) const
{
    return invoke(name, Method, std::move(args));
}

void Variant::put(std::string_view name, Variant value) const
{
    invoke(name, PropertyPut, {std::move(value)});
}

} // namespace folivex::automation
