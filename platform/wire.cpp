#include "platform/wire.h"

#include "core/error.h"

#include <cstring>

namespace folivex::wire {

WireWriter &WireWriter::u8(uint8_t v)
{
    bytes_.push_back(v);
    return *this;
}

WireWriter &WireWriter::u32(uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(uint8_t(v >> (8 * i)));
    return *this;
}

WireWriter &WireWriter::i32(int32_t v)
{
    return u32(uint32_t(v));
}

WireWriter &WireWriter::f64(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        bytes_.push_back(uint8_t(bits >> (8 * i)));
    return *this;
}

WireWriter &WireWriter::str(std::string_view v)
{
    u32(uint32_t(v.size()));
    bytes_.insert(bytes_.end(), v.begin(), v.end());
    return *this;
}

std::vector<uint8_t> WireWriter::frame(uint32_t seq) const
{
    std::vector<uint8_t> out;
    const uint32_t len = uint32_t(bytes_.size() + 4);
    out.reserve(len + 4);
    for (uint32_t v : {len, seq})
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    out.insert(out.end(), bytes_.begin(), bytes_.end());
    return out;
}

WireReader::WireReader(const uint8_t *data, size_t size, std::string peer)
    : data_(data), size_(size), peer_(std::move(peer))
{
}

const uint8_t *WireReader::take(size_t n)
{
    if (size_ - pos_ < n)
        throw Error("Malformed message from " + peer_);
    const uint8_t *p = data_ + pos_;
    pos_ += n;
    return p;
}

uint8_t WireReader::u8()
{
    return *take(1);
}

uint32_t WireReader::u32()
{
    const uint8_t *p = take(4);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int32_t WireReader::i32()
{
    return int32_t(u32());
}

double WireReader::f64()
{
    const uint8_t *p = take(8);
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= uint64_t(p[i]) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string WireReader::str()
{
    uint32_t n = u32();
    const uint8_t *p = take(n);
    return std::string(reinterpret_cast<const char *>(p), n);
}

} // namespace folivex::wire
