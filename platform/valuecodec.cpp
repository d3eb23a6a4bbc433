#include "platform/valuecodec.h"

#include "core/error.h"
#include "platform/protocol.h"
#include "platform/wire.h"

namespace folivex::wire {

namespace {

// What writeValue writes for each kind of value: its tag and its bytes.
struct ValueWriter {
    WireWriter &out;
    void operator()(std::monostate) const { out.u8(uint8_t(Tag::Empty)); }
    void operator()(Null) const { out.u8(uint8_t(Tag::Null)); }
    void operator()(bool v) const { out.u8(uint8_t(Tag::Bool)).u8(v ? 1 : 0); }
    void operator()(int32_t v) const { out.u8(uint8_t(Tag::Int32)).i32(v); }
    void operator()(double v) const { out.u8(uint8_t(Tag::Double)).f64(v); }
    void operator()(const std::string &v) const { out.u8(uint8_t(Tag::String)).str(v); }
    void operator()(const ObjectRef &v) const { out.u8(uint8_t(Tag::Object)).u32(v.id).u32(v.classId); }
};

} // namespace

void writeValue(WireWriter &out, const Value &value)
{
    std::visit(ValueWriter{out}, value);
}

Value readValue(WireReader &in)
{
    switch (Tag(in.u8())) {
    case Tag::Empty: return {};
    case Tag::Null: return Null{};
    case Tag::Bool: return in.u8() != 0;
    case Tag::Int32: return in.i32();
    case Tag::Double: return in.f64();
    case Tag::String: return in.str();
    case Tag::Object: {
        uint32_t id = in.u32();
        uint32_t classId = in.u32();
        return ObjectRef{id, classId};
    }
    }
    throw Error("Malformed message from " + in.peer());
}

} // namespace folivex::wire
