// FrameParser: cuts one direction of the socket's byte stream into frames
// (see wire.h: a 32-bit little-endian length, then that many bytes: the
// 32-bit sequence number and the body). Bytes go in as they arrive, in
// pieces of any size; whole frames come out in the order they were sent.
//
// A length below the direction's minimum or above MaxMessage means the
// stream is out of step and nothing after it can be trusted: take() throws
// folivex::Error("Malformed message from PEER") and keeps throwing until
// clear(). Used by both ends, so both read a frame the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace folivex::wire {

struct Frame {
    uint32_t seq = 0;
    std::vector<uint8_t> body; // what follows the sequence number
};

class FrameParser {
public:
    // `minimum`: the smallest length a frame may give, at least 4 (its
    // sequence number); `peer` names the sender in error texts ("Word",
    // "the client").
    FrameParser(uint32_t minimum, std::string peer);

    // Takes bytes as they came off the socket; never throws but for memory.
    void feed(const uint8_t *data, size_t size);
    // The oldest whole frame, or nothing while it has not all arrived.
    std::optional<Frame> take();
    // How many more bytes the next frame needs, once take() has returned
    // nothing: those that complete its length field, then those that
    // complete the frame. A reader that asks the socket for no more than
    // this never reads a byte of the frame after.
    size_t missing() const;
    // Forgets every byte fed and not taken.
    void clear();

private:
    uint32_t minimum_;
    std::string peer_;
    std::vector<uint8_t> bytes_;
    size_t pos_ = 0; // bytes_ before it are taken
};

} // namespace folivex::wire
