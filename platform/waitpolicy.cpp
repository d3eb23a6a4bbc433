#include "platform/waitpolicy.h"

#include "platform/hostprocess.h"

#include <memory>

namespace folivex::automation {

namespace {

std::shared_ptr<std::function<void()>> &pumpSlot()
{
    static std::shared_ptr<std::function<void()>> pump;
    return pump;
}

std::chrono::milliseconds callLimit{30000};
std::chrono::milliseconds openLimit{300000};
uint64_t memoryLimit = 0; // 0: the default for one host at a time

} // namespace

void SetWaitingPump(std::function<void()> pump)
{
    if (pump)
        pumpSlot() = std::make_shared<std::function<void()>>(std::move(pump));
    else
        pumpSlot().reset();
}

void SetWaitingLimits(std::chrono::milliseconds call, std::chrono::milliseconds open)
{
    callLimit = call;
    openLimit = open;
}

void PumpWhileWaiting()
{
    // Hold our own reference: the pump may replace itself while it runs.
    std::shared_ptr<std::function<void()>> pump = pumpSlot();
    if (!pump)
        return;
    try {
        (*pump)();
    } catch (...) {
        // May swallow: the pump is the caller's (the window's event loop);
        // what it throws must not fail the call that is waiting.
    }
}

std::chrono::milliseconds CallTimeLimit(bool open)
{
    return open ? openLimit : callLimit;
}

void SetWaitingMemoryLimit(uint64_t bytes)
{
    memoryLimit = bytes;
}

uint64_t HostMemoryLimit()
{
    return memoryLimit ? memoryLimit : DefaultHostMemoryLimit(1);
}

} // namespace folivex::automation
