#include "office/server/hostobject.h"

#include "core/error.h"
#include "platform/protocol.h"

#include <strings.h>

namespace folivex::office {

using wire::Method;
using wire::PropertyGet;
using wire::PropertyPut;

HostObject::~HostObject() = default;

void HostObject::property(const char *name, Getter get, Putter put)
{
    members_.push_back(Member{name, std::move(get), std::move(put), nullptr, false});
}

void HostObject::method(const char *name, Caller call, bool slow)
{
    members_.push_back(Member{name, nullptr, nullptr, std::move(call), slow});
}

int32_t HostObject::resolve(std::string_view name) const
{
    for (size_t i = 0; i < members_.size(); ++i)
        if (members_[i].name.size() == name.size() &&
            ::strncasecmp(members_[i].name.data(), name.data(), name.size()) == 0)
            return int32_t(i + 1);
    throw Error("Unknown name: " + std::string(className()) + " has no member " + std::string(name));
}

bool HostObject::isSlow(int32_t dispid) const
{
    return dispid >= 1 && size_t(dispid) <= members_.size() && members_[size_t(dispid - 1)].slow;
}

HostValue HostObject::invoke(int32_t dispid, unsigned flags, const HostArgs &args)
{
    if (dispid < 1 || size_t(dispid) > members_.size())
        throw Error("Unknown member id " + std::to_string(dispid) + " of " + className());
    Member &m = members_[size_t(dispid - 1)];
    std::string where = std::string(className()) + "." + m.name;
    try {
        if ((flags & Method) && m.call)
            return m.call(args);
        if ((flags & PropertyGet) && m.get)
            return m.get(args);
        if ((flags & PropertyPut) && m.put) {
            if (args.size() != 1)
                throw Error("an assignment takes exactly one value");
            m.put(args[0]);
            return {};
        }
    } catch (const Error &e) {
        throw Error(where + ": " + e.text());
    }
    if (flags & PropertyPut)
        throw Error(where + " cannot be assigned");
    if (m.call)
        throw Error(where + " is a method, not a property");
    if (flags & Method)
        throw Error(where + " is a property, not a method");
    throw Error(where + " cannot be called with flags " + std::to_string(flags));
}

} // namespace folivex::office
