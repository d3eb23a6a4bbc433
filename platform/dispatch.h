// Dispatch: an object whose members are called by name at run time.
// GetIDsOfNames resolves a member name (case-insensitively) to a member id;
// Invoke calls that member as a method, a property get or a property put
// (InvokeFlags, combined as Automation does: Method|PropertyGet is a "read").
// Both throw folivex::Error: for an unknown name, for a member that cannot be
// called with those flags or arguments, and for a call that fails.
//
// The Office hosts' objects are Dispatch subclasses of the client (one per
// remote object); tests may subclass it to script objects of their own.
#pragma once

#include "platform/protocol.h"
#include "platform/variant.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace folivex::automation {

// The flags of the protocol, under the names the client has always used.
using InvokeFlags = wire::InvokeFlags;
using enum wire::InvokeFlags;

class Dispatch {
public:
    virtual ~Dispatch();
    virtual int32_t GetIDsOfNames(std::string_view name) = 0;
    virtual Variant Invoke(int32_t dispid, unsigned flags, const std::vector<Variant> &args) = 0;
};

} // namespace folivex::automation
