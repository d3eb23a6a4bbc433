#include "platform/automation.h"

#include "core/documentkind.h"
#include "core/error.h"
#include "platform/connection.h"
#include "platform/remotedispatch.h"
#include "platform/waitpolicy.h"

#include <map>
#include <memory>

namespace folivex::automation {

namespace {

// The application name of a programmatic identifier; empty when unknown.
std::string applicationOf(std::string_view progId)
{
    const std::optional<DocumentKind> kind = DocumentKindOfProgId(progId);
    return kind ? std::string(FactsOf(*kind).application) : std::string();
}

// Hosts started ahead of their use, by application; one each at most.
std::map<std::string, std::shared_ptr<Connection>> &prestarted()
{
    static std::map<std::string, std::shared_ptr<Connection>> hosts;
    return hosts;
}

} // namespace

Variant CreateOleObject(std::string_view progId)
{
    const std::string application = applicationOf(progId);
    if (application.empty())
        throw Error("Invalid class string: no application is registered as \"" + std::string(progId) + "\"");
    auto &ready = prestarted();
    if (auto host = ready.find(application); host != ready.end()) {
        std::shared_ptr<Connection> connection = std::move(host->second);
        ready.erase(host);
        return connection->greet();
    }
    return Connection::start(application);
}

void PrestartHost(std::string_view progId) noexcept
{
    try {
        const std::string application = applicationOf(progId);
        if (application.empty() || prestarted().count(application))
            return;
        prestarted()[application] = Connection::spawn(application);
    } catch (...) {
        // May swallow: a head start is only a guess; nothing is lost, the
        // creation will start its host itself and report its own failure.
    }
}

void EndPrestartedHosts() noexcept
{
    auto &ready = prestarted();
    for (auto &[application, connection] : ready)
        connection->end(application + " was not used");
    ready.clear();
}

void EndAllHosts(const std::string &why)
{
    Connection::endAll(why);
}

void EndHost(const Variant &object, const std::string &why)
{
    if (const int pid = HostProcessId(object))
        Connection::endHost(pid, why);
}

void SetMessagePump(std::function<void()> pump)
{
    SetWaitingPump(std::move(pump));
}

void SetCallTimeLimits(std::chrono::milliseconds call, std::chrono::milliseconds open)
{
    SetWaitingLimits(call, open);
}

void SetHostMemoryLimit(uint64_t bytes)
{
    SetWaitingMemoryLimit(bytes);
}

int HostProcessId(const Variant &object)
{
    if (object.type() != Variant::Type::Object)
        return 0;
    auto remote = std::dynamic_pointer_cast<RemoteDispatch>(object.toObject());
    return remote ? remote->hostPid() : 0;
}

} // namespace folivex::automation
