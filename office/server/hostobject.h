// HostObject: an object of an application's object model, served to the
// client by member name. A subclass registers its members in its constructor
// (the order fixes the member ids, the same for every object of the class);
// the server resolves names case-insensitively and invokes with the
// Automation flags (wire::InvokeFlags of platform/protocol.h). Members throw
// folivex::Error when they fail; the server sends the text to the client.
#pragma once

#include "office/server/hostvalue.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace folivex::office {

class HostObject : public std::enable_shared_from_this<HostObject> {
public:
    virtual ~HostObject();
    // The class name shown in error texts ("Document", "Selection").
    virtual const char *className() const = 0;

    // 1-based member id; throws folivex::Error("Unknown name: ...").
    int32_t resolve(std::string_view name) const;
    bool isSlow(int32_t dispid) const;
    HostValue invoke(int32_t dispid, unsigned flags, const HostArgs &args);

protected:
    using Getter = std::function<HostValue(const HostArgs &)>;
    using Putter = std::function<void(const HostValue &)>;
    using Caller = std::function<HostValue(const HostArgs &)>;
    void property(const char *name, Getter get, Putter put = nullptr);
    void method(const char *name, Caller call, bool slow = false);

private:
    struct Member {
        std::string name;
        Getter get;
        Putter put;
        Caller call;
        bool slow;
    };
    std::vector<Member> members_;
};

} // namespace folivex::office
