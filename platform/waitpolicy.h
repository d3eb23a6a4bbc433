// What a call does while it waits for its Office host: the message pump and
// the time limits, kept here for automation.h's SetMessagePump and
// SetCallTimeLimits. Internal to folivex_platform.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace folivex::automation {

// What SetMessagePump and SetCallTimeLimits set (automation.h).
void SetWaitingPump(std::function<void()> pump);
void SetWaitingLimits(std::chrono::milliseconds call, std::chrono::milliseconds open);

// Runs the pump set by SetMessagePump once (nothing when none is set). The
// pump may make calls that wait and pump in turn, and may replace itself.
// Exceptions thrown by the pump are swallowed: the waiting call goes on.
void PumpWhileWaiting();

// The time limit of one call: `open` for Open, else for every other call.
std::chrono::milliseconds CallTimeLimit(bool open);

// What SetHostMemoryLimit set: the memory one host may hold.
void SetWaitingMemoryLimit(uint64_t bytes);
uint64_t HostMemoryLimit();

} // namespace folivex::automation
