// A ByteSink over an open file descriptor, buffered.
//
// The sink does not own the descriptor. Small writes gather in a 64 KiB
// buffer; a large one (a page's JPEG bytes) goes to the file together with
// what the buffer holds, in one call. Every failure throws folivex::Error
// naming the file.
#pragma once

#include "core/bytesink.h"

#include <string>
#include <vector>

namespace folivex::pdf {

class FileSink : public ByteSink {
public:
    FileSink(int fd, std::string name);

    void write(const void *data, std::size_t size) override;
    using ByteSink::write;
    std::uint64_t position() const override { return position_; }

    // Writes out what the buffer holds.
    void flush();

private:
    // Writes the buffer, then `data`, and empties the buffer.
    void writeAll(const void *data, std::size_t size);

    int fd_;
    std::string name_;
    std::vector<char> buffer_;
    std::uint64_t position_ = 0;
};

} // namespace folivex::pdf
