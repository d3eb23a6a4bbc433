#include "memorystream.h"

#include "core/error.h"

#include <cstring>

namespace folivex {

void MemoryStream::write(const void *data, std::size_t size)
{
    const auto *first = static_cast<const std::uint8_t *>(data);
    bytes_.insert(bytes_.end(), first, first + size);
}

void MemoryStream::read(void *into, std::size_t size)
{
    if (readPosition_ > bytes_.size() || bytes_.size() - readPosition_ < size)
        throw Error("Stream read error");
    std::memcpy(into, bytes_.data() + readPosition_, size);
    readPosition_ += size;
}

std::uint8_t MemoryStream::readByte()
{
    std::uint8_t byte;
    read(&byte, 1);
    return byte;
}

std::uint16_t MemoryStream::readBigEndian16()
{
    std::uint8_t pair[2];
    read(pair, 2);
    return static_cast<std::uint16_t>(pair[0] << 8 | pair[1]);
}

} // namespace folivex
