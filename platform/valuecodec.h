// The values of the protocol as bytes (protocol.h: a u8 Tag, then what the
// tag says), encoded and decoded alike by the client and the Office host.
// The plain values are the same on both sides; an object travels as its id
// and class id, which each end maps to objects of its own.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace folivex::wire {

class WireReader;
class WireWriter;

struct Null {
    bool operator==(const Null &) const = default;
};

struct ObjectRef {
    uint32_t id = 0;
    uint32_t classId = 0; // objects of one class share their member ids
    bool operator==(const ObjectRef &) const = default;
};

// Empty, Null, Bool, Int32, Double, String (UTF-8), Object: the order of Tag.
using Value = std::variant<std::monostate, Null, bool, int32_t, double, std::string, ObjectRef>;

void writeValue(WireWriter &out, const Value &value);
// Reads one value. Throws folivex::Error("Malformed message from PEER"),
// PEER as `in` names it, for a tag it does not know or a value cut short.
Value readValue(WireReader &in);

} // namespace folivex::wire
