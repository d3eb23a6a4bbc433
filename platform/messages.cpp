#include "platform/messages.h"

#include "core/error.h"

namespace folivex::wire {

namespace {

WireWriter request(Op op)
{
    WireWriter out;
    out.u8(uint8_t(op));
    return out;
}

WireWriter ok()
{
    WireWriter out;
    out.u8(uint8_t(Status::Ok));
    return out;
}

} // namespace

WireWriter ResolveRequest::message() const
{
    WireWriter out = request(Op::Resolve);
    out.u32(object).str(name);
    return out;
}

ResolveRequest ResolveRequest::read(WireReader &in)
{
    ResolveRequest r;
    r.object = in.u32();
    r.name = in.str();
    return r;
}

WireWriter InvokeRequest::message() const
{
    WireWriter out = request(Op::Invoke);
    out.u32(object).i32(dispid).u32(flags).u32(uint32_t(args.size()));
    for (const Value &arg : args)
        writeValue(out, arg);
    return out;
}

InvokeRequest InvokeRequest::read(WireReader &in)
{
    InvokeRequest r;
    r.object = in.u32();
    r.dispid = in.i32();
    r.flags = in.u32();
    // No room is kept for the count given: a count past the body's end
    // fails at the first value missing.
    const uint32_t argc = in.u32();
    for (uint32_t i = 0; i < argc; ++i)
        r.args.push_back(readValue(in));
    return r;
}

WireWriter RenderRequest::message() const
{
    WireWriter out = request(Op::Render);
    out.u32(picture).i32(width).i32(rows).u32(bufferBytes).u8(newBuffer ? 1 : 0).i32(firstRow).i32(height);
    return out;
}

RenderRequest RenderRequest::read(WireReader &in)
{
    RenderRequest r;
    r.picture = in.u32();
    r.width = in.i32();
    r.rows = in.i32();
    r.bufferBytes = in.u32();
    r.newBuffer = in.u8() != 0;
    r.firstRow = in.i32();
    r.height = in.i32();
    return r;
}

WireWriter ReleaseRequest::message() const
{
    WireWriter out = request(Op::Release);
    out.u32(object);
    return out;
}

ReleaseRequest ReleaseRequest::read(WireReader &in)
{
    return ReleaseRequest{in.u32()};
}

WireWriter ReleasePictureRequest::message() const
{
    WireWriter out = request(Op::ReleasePicture);
    out.u32(picture);
    return out;
}

ReleasePictureRequest ReleasePictureRequest::read(WireReader &in)
{
    return ReleasePictureRequest{in.u32()};
}

Request ReadRequest(const Frame &frame, const std::string &peer)
{
    WireReader in(frame.body.data(), frame.body.size(), peer);
    const Op op = Op(in.u8());
    switch (op) {
    case Op::Resolve: return ResolveRequest::read(in);
    case Op::Invoke: return InvokeRequest::read(in);
    case Op::Render: return RenderRequest::read(in);
    case Op::Release: return ReleaseRequest::read(in);
    case Op::ReleasePicture: return ReleasePictureRequest::read(in);
    }
    throw Error("Unknown request " + std::to_string(int(op)));
}

WireWriter Greeting::message() const
{
    WireWriter out = ok();
    out.i32(pid);
    writeValue(out, application);
    return out;
}

Greeting Greeting::read(WireReader &in)
{
    Greeting g;
    g.pid = in.i32();
    g.application = readValue(in);
    return g;
}

WireWriter ResolveReply::message() const
{
    WireWriter out = ok();
    out.i32(dispid).u8(slow ? 1 : 0);
    return out;
}

ResolveReply ResolveReply::read(WireReader &in)
{
    ResolveReply r;
    r.dispid = in.i32();
    r.slow = in.u8() != 0;
    return r;
}

WireWriter InvokeReply::message() const
{
    WireWriter out = ok();
    writeValue(out, result);
    out.u8(hostEnds ? 1 : 0).u32(uint32_t(clipboard.size()));
    for (const ClipboardEntry &entry : clipboard)
        out.u32(entry.format).u32(entry.picture);
    return out;
}

InvokeReply InvokeReply::read(WireReader &in)
{
    InvokeReply r;
    r.result = readValue(in);
    r.hostEnds = in.u8() != 0;
    // As with an Invoke's arguments: a count past the end fails at the
    // first entry missing.
    const uint32_t count = in.u32();
    for (uint32_t i = 0; i < count; ++i) {
        ClipboardEntry entry;
        entry.format = in.u32();
        entry.picture = in.u32();
        r.clipboard.push_back(entry);
    }
    return r;
}

WireWriter RenderReply::message() const
{
    WireWriter out = ok();
    out.u32(offset);
    return out;
}

RenderReply RenderReply::read(WireReader &in)
{
    RenderReply r;
    r.offset = in.u32();
    return r;
}

WireWriter FailReply::message() const
{
    WireWriter out;
    out.u8(uint8_t(Status::Fail)).str(text);
    return out;
}

} // namespace folivex::wire
