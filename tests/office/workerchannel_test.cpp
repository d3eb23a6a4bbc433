// The messages between a host and its render worker, over a real socket
// pair: a job and its buffer's descriptor arrive whole, failures arrive as
// the peer's own text, and a peer that is gone or out of step breaks the
// channel for good.
#include "core/mappedregion.h"
#include "core/uniquefd.h"
#include "office/server/workerchannel.h"
#include "tests/office/officetesting.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

using namespace folivex;
using namespace folivex::office;
using folivex::testing::errorText;

namespace {

struct SocketPair {
    SocketPair()
    {
        int fds[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        host.reset(fds[0]);
        worker.reset(fds[1]);
    }
    UniqueFd host, worker;
};

// Sends `message` from one end and returns the frame the other end gets.
std::optional<wire::Frame> passed(WorkerChannel &from, WorkerChannel &to, const wire::WireWriter &message)
{
    EXPECT_TRUE(from.send(message));
    return to.receive(2000);
}

} // namespace

TEST(WorkerChannel, AJobArrivesWithTheBufferItDrawsInto)
{
    SocketPair pair;
    WorkerChannel host(pair.host.get(), "the render worker"), worker(pair.worker.get(), "the host");
    UniqueFd buffer(::memfd_create("test-buffer", MFD_CLOEXEC));
    ASSERT_EQ(::ftruncate(buffer.get(), 4096), 0);
    MappedRegion hostView(buffer.get(), 4096, "the buffer");

    const WorkerJob job{3, TwipRect{10, 20000, 11906, 16838}, 16, 64, 4096};
    ASSERT_TRUE(host.send(JobMessage(job), buffer.get()));
    std::optional<wire::Frame> frame = worker.receive(2000);
    ASSERT_TRUE(frame);
    const WorkerJob got = ReadJob(*frame, "the host");
    EXPECT_EQ(got.part, 3);
    EXPECT_EQ(got.area.x, 10);
    EXPECT_EQ(got.area.y, 20000);
    EXPECT_EQ(got.area.width, 11906);
    EXPECT_EQ(got.area.height, 16838);
    EXPECT_EQ(got.width, 16);
    EXPECT_EQ(got.height, 64);
    UniqueFd received = worker.takeFd();
    ASSERT_TRUE(received);
    MappedRegion workerView(received.get(), got.bufferBytes, "the buffer");
    std::memset(workerView.data(), 0x5a, 4096);
    EXPECT_EQ(hostView.data()[4095], 0x5a) << "the two ends share the pixels";

    // The next job travels without a descriptor: the worker keeps its map.
    ASSERT_TRUE(host.send(JobMessage(job)));
    ASSERT_TRUE(worker.receive(2000));
    EXPECT_FALSE(worker.takeFd());

    ASSERT_TRUE(worker.send(DoneMessage()));
    frame = host.receive(2000);
    ASSERT_TRUE(frame);
    EXPECT_EQ(errorText([&] { ReadDone(*frame, "the render worker"); }), "(no error)");
}

TEST(WorkerChannel, AWorkerStartedAheadIsGivenItsDocumentFirst)
{
    SocketPair pair;
    WorkerChannel host(pair.host.get(), "the render worker"), worker(pair.worker.get(), "the host");
    std::optional<wire::Frame> frame = passed(host, worker, LoadMessage("/tmp/a folder/Report é.docx"));
    ASSERT_TRUE(frame);
    EXPECT_EQ(ReadLoad(*frame, "the host"), "/tmp/a folder/Report é.docx");

    // No path, or a job where the path belongs, is out of step.
    for (const wire::WireWriter &wrong : {LoadMessage(""), JobMessage(WorkerJob{})}) {
        frame = passed(host, worker, wrong);
        ASSERT_TRUE(frame);
        EXPECT_EQ(errorText([&] { ReadLoad(*frame, "the host"); }), "Malformed message from the host");
    }
}

TEST(WorkerChannel, FailuresArriveAsThePeersOwnText)
{
    SocketPair pair;
    WorkerChannel host(pair.host.get(), "the render worker"), worker(pair.worker.get(), "the host");
    ASSERT_TRUE(worker.send(FailureMessage("Cannot open /tmp/x.docx: there is no such file")));
    std::optional<wire::Frame> frame = host.receive(2000);
    ASSERT_TRUE(frame);
    EXPECT_EQ(errorText([&] { ReadLayout(*frame, "the render worker"); }),
              "Cannot open /tmp/x.docx: there is no such file");
    EXPECT_EQ(errorText([&] { ReadDone(*frame, "the render worker"); }),
              "Cannot open /tmp/x.docx: there is no such file");

    // A layout that claims more pages than it holds is out of step.
    wire::WireWriter lying;
    lying.u8(1).i32(5).u32(5).i32(0);
    ASSERT_TRUE(worker.send(lying));
    frame = host.receive(2000);
    ASSERT_TRUE(frame);
    EXPECT_EQ(errorText([&] { ReadLayout(*frame, "the render worker"); }), "Malformed message from the render worker");
    // And so is a job cut short.
    wire::WireWriter shortJob;
    shortJob.i32(1).i32(2);
    ASSERT_TRUE(host.send(shortJob));
    frame = worker.receive(2000);
    ASSERT_TRUE(frame);
    EXPECT_EQ(errorText([&] { ReadJob(*frame, "the host"); }), "Malformed message from the host");
}

TEST(WorkerChannel, APeerThatIsGoneOrOutOfStepBreaksTheChannel)
{
    {
        SocketPair pair;
        WorkerChannel host(pair.host.get(), "the render worker");
        EXPECT_FALSE(host.receive(0)) << "nothing has arrived yet";
        EXPECT_FALSE(host.broken());
        pair.worker.reset();
        EXPECT_FALSE(host.receive(2000));
        EXPECT_TRUE(host.broken());
        EXPECT_FALSE(host.send(DoneMessage()));
    }
    {
        SocketPair pair;
        WorkerChannel host(pair.host.get(), "the render worker");
        // A length below the smallest frame: nothing after it can be trusted.
        const uint8_t garbage[] = {1, 0, 0, 0, 9};
        ASSERT_EQ(::write(pair.worker.get(), garbage, sizeof garbage), ssize_t(sizeof garbage));
        EXPECT_FALSE(host.receive(2000));
        EXPECT_TRUE(host.broken());
    }
    {
        SocketPair pair;
        WorkerChannel host(pair.host.get(), "the render worker");
        EXPECT_FALSE(host.receive(50));
        EXPECT_FALSE(host.broken()) << "a quiet peer is no broken one";
    }
}
