// What a process leaves while it works (a PDF being written, a folder for its
// jobs) carries its owner's tag in its name, so that a later process can
// tell leftovers of a process that is gone from files still being written.
#pragma once

#include <string>
#include <string_view>

namespace folivex {

// This process's tag: "HHHHHHHH-PID-START", the host name's hash (8 hex
// digits), the process id and the process's start time in clock ticks since
// boot, which tells a process from a later one that got the same id.
std::string OwnerTag();

// True only when `tag` is a tag of this host whose process no longer runs:
// no process has its id, or the one that has it started at another time.
// A tag of another host, or one that cannot be read, is not gone: what it
// names may be in use.
bool OwnerIsGone(std::string_view tag);

// For a name "PREFIX" TAG "-" ANYTHING "SUFFIX" (".folivex-" TAG "-1a2b3c4d.part"):
// the tag, or empty when the name is not of that shape.
std::string_view OwnerTagIn(std::string_view name, std::string_view prefix, std::string_view suffix);

} // namespace folivex
