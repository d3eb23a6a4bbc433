// An in-memory byte stream: written through ByteSink, read back from a
// position. Reads past the end throw folivex::Error("Stream read error").
#pragma once

#include "core/bytesink.h"

#include <cstdint>
#include <vector>

namespace folivex {

class MemoryStream : public ByteSink {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // Appends at the end, whatever the read position.
    void write(const void *data, std::size_t size) override;
    using ByteSink::write;
    // The stream's length: what a sink has taken.
    std::uint64_t position() const override { return bytes_.size(); }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t> &bytes() const { return bytes_; }

    std::size_t readPosition() const { return readPosition_; }
    // Moves the read position; a position past the end is kept and makes the next read fail.
    void seek(std::size_t position) { readPosition_ = position; }
    // Reads exactly `size` bytes or throws, leaving the position unchanged.
    void read(void *into, std::size_t size);
    std::uint8_t readByte();
    std::uint16_t readBigEndian16();

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t readPosition_ = 0;
};

} // namespace folivex
