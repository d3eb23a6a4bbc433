// The messages between the automation client and an Office host (their
// layout: protocol.h), one struct each. A struct's message() is its body as
// it goes on the socket (WireWriter::frame adds the length and the sequence
// number); its read() takes that body apart again. Both ends use these, so a
// message is written and read in one place only.
//
// Every read throws folivex::Error("Malformed message from PEER"), PEER as
// the reader names it (wire.h), when the body is shorter than the message or
// holds a value tag that does not exist. Values travel as wire::Value: each
// end maps them to its own values (an object to a proxy or to a host object).
#pragma once

#include "platform/frameparser.h"
#include "platform/protocol.h"
#include "platform/valuecodec.h"
#include "platform/wire.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace folivex::wire {

// Requests, client to host: the body starts with the request's Op, which
// read() expects to have been taken already (ReadRequest takes it).

struct ResolveRequest {
    uint32_t object = 0;
    std::string name;
    WireWriter message() const;
    static ResolveRequest read(WireReader &in);
    bool operator==(const ResolveRequest &) const = default;
};

struct InvokeRequest {
    uint32_t object = 0;
    int32_t dispid = 0;
    uint32_t flags = 0; // InvokeFlags
    std::vector<Value> args;
    WireWriter message() const;
    static InvokeRequest read(WireReader &in);
    bool operator==(const InvokeRequest &) const = default;
};

// Rows [firstRow, firstRow + rows) of the picture stretched to width x height,
// into one of the two equal slots of the client's buffer of bufferBytes; a
// new buffer's descriptor travels with the request (newBuffer).
struct RenderRequest {
    uint32_t picture = 0;
    int32_t width = 0;
    int32_t rows = 0;
    uint32_t bufferBytes = 0;
    bool newBuffer = false;
    int32_t firstRow = 0;
    int32_t height = 0;
    WireWriter message() const;
    static RenderRequest read(WireReader &in);
    bool operator==(const RenderRequest &) const = default;
};

// The client lets go of an object; no reply.
struct ReleaseRequest {
    uint32_t object = 0;
    WireWriter message() const;
    static ReleaseRequest read(WireReader &in);
    bool operator==(const ReleaseRequest &) const = default;
};

// The client lets go of a clipboard picture; no reply.
struct ReleasePictureRequest {
    uint32_t picture = 0;
    WireWriter message() const;
    static ReleasePictureRequest read(WireReader &in);
    bool operator==(const ReleasePictureRequest &) const = default;
};

using Request = std::variant<ResolveRequest, InvokeRequest, RenderRequest, ReleaseRequest, ReleasePictureRequest>;

// The request in `frame`, its sender named `peer`. Throws
// folivex::Error("Malformed message from PEER") as above, and
// folivex::Error("Unknown request N") for an Op that does not exist.
Request ReadRequest(const Frame &frame, const std::string &peer);

// Replies, host to client: the body starts with its Status. message() writes
// Ok and the fields; read() takes the fields after the status (ReadReply
// takes the status).

// The first frame of the host, sent unasked with sequence number 0.
struct Greeting {
    int32_t pid = 0;
    Value application;
    WireWriter message() const;
    static Greeting read(WireReader &in);
    bool operator==(const Greeting &) const = default;
};

struct ResolveReply {
    int32_t dispid = 0;
    bool slow = false; // the member takes the longer time limit (Open)
    WireWriter message() const;
    static ResolveReply read(WireReader &in);
    bool operator==(const ResolveReply &) const = default;
};

// What a call put on the clipboard: a format and the host's picture for it
// (0: the format is listed without data).
struct ClipboardEntry {
    uint32_t format = 0;
    uint32_t picture = 0;
    bool operator==(const ClipboardEntry &) const = default;
};

struct InvokeReply {
    Value result;
    bool hostEnds = false; // the call was Quit: the host ends after this reply
    std::vector<ClipboardEntry> clipboard;
    WireWriter message() const;
    static InvokeReply read(WireReader &in);
    bool operator==(const InvokeReply &) const = default;
};

// The rows asked for are in the client's buffer, `offset` bytes in (the
// start of the slot the host chose).
struct RenderReply {
    uint32_t offset = 0;
    WireWriter message() const;
    static RenderReply read(WireReader &in);
    bool operator==(const RenderReply &) const = default;
};

// Any request's reply, or the greeting, when it failed: why, in words for
// the user.
struct FailReply {
    std::string text;
    WireWriter message() const;
    bool operator==(const FailReply &) const = default;
};

// The reply `body` holds (a frame's body), its sender named `peer`: Reply
// when its status is Ok, its text otherwise. Throws
// folivex::Error("Malformed message from PEER") as above.
template <typename Reply>
std::variant<Reply, FailReply> ReadReply(const std::vector<uint8_t> &body, const std::string &peer)
{
    WireReader in(body.data(), body.size(), peer);
    if (Status(in.u8()) != Status::Ok)
        return FailReply{in.str()};
    return Reply::read(in);
}

} // namespace folivex::wire
