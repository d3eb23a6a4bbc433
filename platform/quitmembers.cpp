#include "platform/quitmembers.h"

namespace folivex::automation {

bool QuitMembers::isQuit(std::string_view lowerName)
{
    return lowerName == "quit";
}

void QuitMembers::resolved(uint32_t classId, std::string_view lowerName, int32_t dispid)
{
    if (isQuit(lowerName))
        ids_.insert({classId, dispid});
}

bool QuitMembers::isQuit(uint32_t classId, int32_t dispid) const
{
    return dispid == OfEndedHost || ids_.count({classId, dispid}) > 0;
}

} // namespace folivex::automation
