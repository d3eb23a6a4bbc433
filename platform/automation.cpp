#include "platform/automation.h"

#include "core/error.h"
#include "platform/connection.h"
#include "platform/remotedispatch.h"

namespace folivex::automation {

Variant CreateOleObject(std::string_view progId)
{
    std::string application;
    std::string id(progId);
    for (char &c : id)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (id == "word.application")
        application = "Word";
    else if (id == "powerpoint.application")
        application = "PowerPoint";
    else if (id == "excel.application")
        application = "Excel";
    else
        throw Error("Invalid class string: no application is registered as \"" + std::string(progId) + "\"");
    return Connection::start(application);
}

void EndAllHosts(const std::string &why) { Connection::endAll(why); }

int HostProcessId(const Variant &object)
{
    if (object.type() != Variant::Type::Object)
        return 0;
    auto remote = std::dynamic_pointer_cast<RemoteDispatch>(object.toObject());
    return remote ? remote->hostPid() : 0;
}

} // namespace folivex::automation
