// Byte encoding of the messages between the automation client and an Office
// host (folivex-office). Both ends link this file; it has no Qt and no
// LibreOffice in it.
//
// A message on the socket is a 32-bit length (little endian) followed by that
// many bytes. WireWriter builds the bytes of one message; WireReader takes
// them apart and throws folivex::Error("Malformed message from PEER") when a
// message is shorter than what it is read as, so a broken peer never makes
// the reader run off its buffer. FrameParser (frameparser.h) cuts the
// stream back into frames.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace folivex::wire {

class WireWriter {
public:
    WireWriter &u8(uint8_t v);
    WireWriter &u32(uint32_t v);
    WireWriter &i32(int32_t v);
    WireWriter &f64(double v);
    WireWriter &str(std::string_view v);
    // The framed message: the length (of what follows it), the sequence
    // number, the body; little-endian.
    std::vector<uint8_t> frame(uint32_t seq) const;

private:
    std::vector<uint8_t> bytes_;
};

class WireReader {
public:
    // `peer` names the sender in error texts as FrameParser's does, the
    // article included when it takes one ("Word", "the Office host",
    // "the client").
    WireReader(const uint8_t *data, size_t size, std::string peer);
    uint8_t u8();
    uint32_t u32();
    int32_t i32();
    double f64();
    std::string str();
    // The sender as the error texts name it.
    const std::string &peer() const { return peer_; }

private:
    const uint8_t *take(size_t n);
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
    std::string peer_;
};

// Largest message either end accepts; a length above it means the stream is
// out of step.
constexpr uint32_t MaxMessage = 64u << 20;

} // namespace folivex::wire
