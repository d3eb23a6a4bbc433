// RemoteDispatch: the client's proxy of one object that lives in an Office
// host. Member names are resolved by the host (the answers are cached per
// class); calls go to the host and wait for it. Destroying the proxy releases
// the host's object; the last proxy of a host ends the host.
#pragma once

#include "platform/dispatch.h"

#include <memory>

namespace folivex::automation {

class RemoteHost;

class RemoteDispatch : public Dispatch {
public:
    RemoteDispatch(std::shared_ptr<RemoteHost> connection, uint32_t object, uint32_t classId);
    ~RemoteDispatch() override;

    int32_t GetIDsOfNames(std::string_view name) override;
    Variant Invoke(int32_t dispid, unsigned flags, const std::vector<Variant> &args) override;

    int hostPid() const;

private:
    std::shared_ptr<RemoteHost> connection_;
    uint32_t object_;
    uint32_t classId_;
};

} // namespace folivex::automation
