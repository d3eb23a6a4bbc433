#include "platform/remotedispatch.h"

#include "platform/remotehost.h"

namespace folivex::automation {

RemoteDispatch::RemoteDispatch(std::shared_ptr<RemoteHost> connection, uint32_t object, uint32_t classId)
    : connection_(std::move(connection)), object_(object), classId_(classId)
{
}

RemoteDispatch::~RemoteDispatch()
{
    connection_->releaseObject(object_);
}

int32_t RemoteDispatch::GetIDsOfNames(std::string_view name)
{
    return connection_->resolve(object_, classId_, name);
}

Variant RemoteDispatch::Invoke(int32_t dispid, unsigned flags, const std::vector<Variant> &args)
{
    return connection_->invoke(object_, classId_, dispid, flags, args);
}

int RemoteDispatch::hostPid() const
{
    return connection_->pid();
}

} // namespace folivex::automation
