// Where bytes go: a sink with a write position.
//
// Writers (the PDF writer, the JPEG holder) write through this interface, so
// tests write into memory and the program into a file. write() either takes
// every byte or throws folivex::Error; position() is the number of bytes
// taken so far, 64-bit so that no size of file wraps around.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace folivex {

class ByteSink {
public:
    virtual ~ByteSink() = default;

    virtual void write(const void *data, std::size_t size) = 0;
    virtual std::uint64_t position() const = 0;

    void write(std::string_view text) { write(text.data(), text.size()); }
};

} // namespace folivex
