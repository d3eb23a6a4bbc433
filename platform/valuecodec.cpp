#include "platform/valuecodec.h"

#include "core/error.h"
#include "platform/protocol.h"
#include "platform/wire.h"

namespace folivex::wire {

void writeValue(WireWriter &out, const Value &value)
{
    switch (value.index()) {
    case 0: out.u8(uint8_t(Tag::Empty)); break;
    case 1: out.u8(uint8_t(Tag::Null)); break;
    case 2: out.u8(uint8_t(Tag::Bool)).u8(std::get<bool>(value) ? 1 : 0); break;
    case 3: out.u8(uint8_t(Tag::Int32)).i32(std::get<int32_t>(value)); break;
    case 4: out.u8(uint8_t(Tag::Double)).f64(std::get<double>(value)); break;
    case 5: out.u8(uint8_t(Tag::String)).str(std::get<std::string>(value)); break;
    case 6: {
        const ObjectRef &object = std::get<ObjectRef>(value);
        out.u8(uint8_t(Tag::Object)).u32(object.id).u32(object.classId);
        break;
    }
    }
}

Value readValue(WireReader &in, const std::string &peer)
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
    throw Error("Malformed message from " + peer);
}

} // namespace folivex::wire
