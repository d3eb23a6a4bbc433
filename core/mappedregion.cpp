#include "core/mappedregion.h"

#include "core/error.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace folivex {

MappedRegion::MappedRegion(int fd, std::size_t size, std::string_view what)
{
    void *p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED)
        throw Error("Cannot map " + std::string(what) + ": " + std::strerror(errno));
    address_ = p;
    size_ = size;
}

MappedRegion::MappedRegion(MappedRegion &&other) noexcept
    : address_(std::exchange(other.address_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

MappedRegion &MappedRegion::operator=(MappedRegion &&other) noexcept
{
    if (this != &other) {
        reset();
        address_ = std::exchange(other.address_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

MappedRegion::~MappedRegion()
{
    reset();
}

void MappedRegion::reset() noexcept
{
    // munmap fails only for an address or length that was never mapped,
    // which an owner of a mapping cannot hold.
    if (address_)
        ::munmap(address_, size_);
    address_ = nullptr;
    size_ = 0;
}

} // namespace folivex
