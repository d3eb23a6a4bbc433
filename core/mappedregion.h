// MappedRegion: sole owner of one shared mapping of a file (mmap); unmaps it
// when destroyed or replaced. Move-only; a default or moved-from region
// holds nothing and unmaps nothing.
//
// The mapping outlives the descriptor it was made from: whoever holds the
// descriptor may close it at any time.
#pragma once

#include <cstddef>
#include <string_view>

namespace folivex {

class MappedRegion {
public:
    MappedRegion() = default;
    // Maps the first `size` bytes of `fd`, shared, for reading and writing.
    // Throws folivex::Error("Cannot map WHAT: " + the system's error text)
    // when the system refuses; `what` names the region ("the picture buffer").
    MappedRegion(int fd, std::size_t size, std::string_view what);
    MappedRegion(MappedRegion &&other) noexcept;
    MappedRegion &operator=(MappedRegion &&other) noexcept;
    MappedRegion(const MappedRegion &) = delete;
    MappedRegion &operator=(const MappedRegion &) = delete;
    ~MappedRegion();

    unsigned char *data() const { return static_cast<unsigned char *>(address_); }
    std::size_t size() const { return size_; }
    explicit operator bool() const { return address_ != nullptr; }
    // Unmaps the region now; never throws.
    void reset() noexcept;

private:
    void *address_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace folivex
