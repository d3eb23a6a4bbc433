// UniqueFd on real descriptors: which one it closes, when, and that it
// closes each exactly once. A descriptor closed twice would close whatever
// file was given its number in between, so every test hands the freed
// number to a new file and checks that this file survives the owner.
#include "core/uniquefd.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <utility>

using folivex::UniqueFd;

namespace {

bool isOpen(int fd)
{
    return ::fcntl(fd, F_GETFD) != -1;
}

int openNull()
{
    const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    return fd;
}

// A file that takes the lowest free number, which is `freed` when that was
// just closed; closed at the end of the test.
class Bystander {
public:
    explicit Bystander(int freed) : fd_(openNull()) { EXPECT_EQ(fd_, freed) << "the freed number is reused"; }
    ~Bystander() { ::close(fd_); }
    bool open() const { return isOpen(fd_); }

private:
    int fd_;
};

} // namespace

TEST(UniqueFd, ClosesItsDescriptorWhenDestroyedAndNothingWhenEmpty)
{
    const int fd = openNull();
    {
        UniqueFd owner(fd);
        EXPECT_TRUE(owner);
        EXPECT_EQ(owner.get(), fd);
    }
    EXPECT_FALSE(isOpen(fd));

    UniqueFd empty;
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty.get(), -1);
    UniqueFd failed(-1); // what a failed open() hands over
    EXPECT_FALSE(failed);
}

TEST(UniqueFd, AMovedFromOwnerClosesNothing)
{
    const int fd = openNull();
    UniqueFd target;
    {
        UniqueFd source(fd);
        UniqueFd middle(std::move(source));
        EXPECT_FALSE(source);
        EXPECT_EQ(source.get(), -1);
        target = std::move(middle);
        EXPECT_FALSE(middle);
    } // both moved-from owners end here
    EXPECT_TRUE(isOpen(fd));
    EXPECT_EQ(target.get(), fd);

    target.reset();
    EXPECT_FALSE(isOpen(fd));
    Bystander bystander(fd);
    target.reset(); // empty now: nothing to close again
    EXPECT_TRUE(bystander.open());
}

TEST(UniqueFd, MoveAssignmentClosesTheDescriptorItReplacesOnce)
{
    const int first = openNull();
    const int second = openNull();
    UniqueFd target(first);
    UniqueFd source(second);
    target = std::move(source);
    EXPECT_FALSE(isOpen(first));
    EXPECT_TRUE(isOpen(second));
    EXPECT_EQ(target.get(), second);

    Bystander bystander(first);
    {
        UniqueFd gone = std::move(target);
    }
    EXPECT_FALSE(isOpen(second));
    EXPECT_TRUE(bystander.open()) << "the replaced descriptor was closed a second time";
}

TEST(UniqueFd, MovingIntoItselfKeepsTheDescriptor)
{
    const int fd = openNull();
    UniqueFd owner(fd);
    UniqueFd &same = owner;
    owner = std::move(same);
    EXPECT_EQ(owner.get(), fd);
    EXPECT_TRUE(isOpen(fd));
}

TEST(UniqueFd, ResetClosesTheOldDescriptorExactlyOnce)
{
    const int first = openNull();
    const int second = openNull();
    {
        UniqueFd owner(first);
        owner.reset(second);
        EXPECT_FALSE(isOpen(first));
        EXPECT_EQ(owner.get(), second);

        Bystander bystander(first);
        owner.reset();
        EXPECT_FALSE(isOpen(second));
        EXPECT_FALSE(owner);
        EXPECT_TRUE(bystander.open()) << "reset closed the old descriptor again";
    }
}

TEST(UniqueFd, ReleaseHandsTheDescriptorOverOpen)
{
    const int fd = openNull();
    int released = -1;
    {
        UniqueFd owner(fd);
        released = owner.release();
        EXPECT_FALSE(owner);
        EXPECT_EQ(owner.get(), -1);
    }
    EXPECT_EQ(released, fd);
    EXPECT_TRUE(isOpen(fd)) << "a released descriptor is the caller's";
    ::close(fd);
}
