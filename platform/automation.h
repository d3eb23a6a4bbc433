// The Automation client: Variant and Dispatch (late-bound calls by member
// name) and the creation of Office application objects.
//
// CreateOleObject("Word.Application" | "PowerPoint.Application" |
// "Excel.Application") starts one Office host process (folivex-office) and
// returns its application object. The host lives as long as some reference
// to one of its objects does: releasing the last one ends it (Quit ends it
// earlier). Every call on a host's objects waits for its answer up to a time
// limit; a host that dies or exceeds the limit is ended with its whole
// process group and every later call on its objects throws folivex::Error.
//
// All of this is meant for one thread, the user-interface thread. While a
// call waits for its host, the message pump set by SetMessagePump runs
// repeatedly; the pump may itself make Automation calls (on any host, the same
// one included) and may replace the pump.
#pragma once

#include "platform/dispatch.h"
#include "platform/variant.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace folivex::automation {

// Throws folivex::Error for an unknown identifier, a host that cannot start,
// and a LibreOffice without the module the application needs.
Variant CreateOleObject(std::string_view progId);

// The function called while a call waits (default: none). An empty function
// removes the pump.
void SetMessagePump(std::function<void()> pump);

// Time limits for one call: `open` for Open (a big document takes long),
// `call` for every other call and for the start of a host. Defaults: 300 s
// and 30 s. Only the time spent waiting for the host counts: not the time
// the message pump takes (a modal dialog opened from it holds the call as
// long as it stays open), and an answer that has arrived is always read.
void SetCallTimeLimits(std::chrono::milliseconds call, std::chrono::milliseconds open);

// The memory one host may hold, its render worker included: a host that
// needs more is ended, and the call waiting on it fails with "... needed
// more than N GiB of memory". Default: DefaultHostMemoryLimit(1).
void SetHostMemoryLimit(uint64_t bytes);

// Whether the hosts started from now on hint text onto the pixel grid (true,
// the default: crisp at 72 dpi) or draw every glyph with its outline's own
// shape and place, as LibreOffice's PDF export has it (false: for pages
// drawn above 72 dpi). Used from the user-interface thread.
void SetHostTextHinting(bool hinted);

// The process id of the host behind an object of a host (0 for any other
// value); the host leads its own process group.
int HostProcessId(const Variant &object);

// Starts the host that the next CreateOleObject(progId) will take, so that
// its LibreOffice starts while the caller is busy: that object is then as
// fresh as any (its own process and profile, nothing done in it yet), only
// ready sooner. One host an application at most; never throws (a host that
// fails to start fails that creation, as it would have).
void PrestartHost(std::string_view progId) noexcept;
// Ends the hosts started ahead that no creation took.
void EndPrestartedHosts() noexcept;

// Ends the host behind `object` now, with its process group: a call waiting
// on it fails with `why`, and so does every later call on its objects except
// Quit, which does nothing. Nothing happens for any other value. For a Stop
// pressed while the host opens a long document.
void EndHost(const Variant &object, const std::string &why);

// Ends every host of this process now, those starting included, with their
// process groups: a call waiting on one fails with `why`, and so does every
// later call on their objects. For a program that is interrupted in the
// middle of a long call; call it from the pump, not a signal handler.
void EndAllHosts(const std::string &why);

} // namespace folivex::automation
