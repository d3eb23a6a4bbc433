#include "platform/frameparser.h"

#include "core/error.h"
#include "platform/wire.h"

#include <algorithm>

namespace folivex::wire {

namespace {

uint32_t littleEndian32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

FrameParser::FrameParser(uint32_t minimum, std::string peer)
    : minimum_(std::max<uint32_t>(minimum, 4)), peer_(std::move(peer))
{
}

void FrameParser::feed(const uint8_t *data, size_t size)
{
    // What was taken goes before anything new is kept; usually that is all
    // that was there.
    if (pos_ > 0) {
        bytes_.erase(bytes_.begin(), bytes_.begin() + long(pos_));
        pos_ = 0;
    }
    bytes_.insert(bytes_.end(), data, data + size);
}

std::optional<Frame> FrameParser::take()
{
    const size_t have = bytes_.size() - pos_;
    if (have < 4)
        return std::nullopt;
    const uint8_t *head = bytes_.data() + pos_;
    const uint32_t length = littleEndian32(head);
    if (length < minimum_ || length > MaxMessage)
        throw Error("Malformed message from " + peer_);
    if (have - 4 < length)
        return std::nullopt;
    Frame frame;
    frame.seq = littleEndian32(head + 4);
    frame.body.assign(head + 8, head + 4 + length);
    pos_ += 4 + size_t(length);
    return frame;
}

size_t FrameParser::missing() const
{
    const size_t have = bytes_.size() - pos_;
    if (have < 4)
        return 4 - have;
    const size_t whole = 4 + size_t(littleEndian32(bytes_.data() + pos_));
    return whole > have ? whole - have : 0;
}

void FrameParser::clear()
{
    bytes_.clear();
    pos_ = 0;
}

} // namespace folivex::wire
