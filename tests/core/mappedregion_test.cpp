// MappedRegion against real shared memory: what it maps is the file's bytes,
// it unmaps exactly when its owner goes, and a refused mapping says why.
#include "core/error.h"
#include "core/mappedregion.h"
#include "core/uniquefd.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

using folivex::MappedRegion;
using folivex::UniqueFd;

namespace {

const size_t kPage = size_t(::sysconf(_SC_PAGESIZE));

// A shared-memory file of `size` bytes, as the client makes its picture buffer.
UniqueFd sharedFile(size_t size)
{
    UniqueFd fd(::memfd_create("mappedregion-test", MFD_CLOEXEC));
    EXPECT_TRUE(fd);
    EXPECT_EQ(::ftruncate(fd.get(), off_t(size)), 0);
    return fd;
}

// Whether the pages at `address` are mapped in this process: mincore fails
// with ENOMEM on an address range that is not.
bool isMapped(const void *address, size_t size)
{
    unsigned char residency[16];
    errno = 0;
    int r = ::mincore(const_cast<void *>(address), size, residency);
    return r == 0 || errno != ENOMEM;
}

std::string errorText(int fd, size_t size)
{
    return folivex::test::ErrorText([&] { MappedRegion region(fd, size, "the picture buffer"); });
}

} // namespace

TEST(MappedRegion, SharesTheFilesBytesAndUnmapsWhenDestroyed)
{
    UniqueFd fd = sharedFile(2 * kPage);
    const unsigned char *address;
    {
        MappedRegion region(fd.get(), 2 * kPage, "the picture buffer");
        ASSERT_TRUE(region);
        EXPECT_EQ(region.size(), 2 * kPage);
        address = region.data();
        region.data()[kPage + 1] = 0xA5;
        // Written through the mapping, read through the file: one set of bytes.
        unsigned char byte = 0;
        ASSERT_EQ(::pread(fd.get(), &byte, 1, off_t(kPage + 1)), 1);
        EXPECT_EQ(byte, 0xA5);
        EXPECT_TRUE(isMapped(address, 2 * kPage));
    }
    EXPECT_FALSE(isMapped(address, 2 * kPage));
}

TEST(MappedRegion, MovingHandsOverTheMappingWhichIsUnmappedOnce)
{
    UniqueFd fd = sharedFile(kPage);
    MappedRegion target;
    EXPECT_FALSE(target);
    const unsigned char *address;
    {
        MappedRegion source(fd.get(), kPage, "the picture buffer");
        address = source.data();
        MappedRegion moved(std::move(source));
        EXPECT_FALSE(source);
        EXPECT_EQ(source.size(), 0u);
        EXPECT_EQ(moved.data(), address);
        target = std::move(moved);
        EXPECT_FALSE(moved);
        // Both moved-from regions end here and must leave the mapping alone.
    }
    ASSERT_TRUE(isMapped(address, kPage));
    target.data()[0] = 7;

    // Assigning another region unmaps the one held before (the new one is
    // mapped while the old one still is, so the two never share an address).
    UniqueFd other = sharedFile(kPage);
    target = MappedRegion(other.get(), kPage, "the picture buffer");
    ASSERT_NE(target.data(), address);
    EXPECT_FALSE(isMapped(address, kPage));

    const unsigned char *last = target.data();
    target.reset();
    EXPECT_FALSE(target);
    EXPECT_FALSE(isMapped(last, kPage));
    target.reset(); // nothing held: nothing happens
}

TEST(MappedRegion, ARefusedMappingSaysWhatAndWhy)
{
    EXPECT_EQ(errorText(-1, kPage), "Cannot map the picture buffer: Bad file descriptor");
    UniqueFd fd = sharedFile(kPage);
    EXPECT_EQ(errorText(fd.get(), 0), "Cannot map the picture buffer: Invalid argument");
    // A descriptor opened for reading only cannot be mapped for writing.
    UniqueFd readOnly(::open(("/proc/self/fd/" + std::to_string(fd.get())).c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(errorText(readOnly.get(), kPage), "Cannot map the picture buffer: Permission denied");
}
