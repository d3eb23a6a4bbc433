// The capture pass with pages encoded on other threads: the file is the one
// the sequential pass writes, small pages are encoded side by side and large
// ones one at a time, and an encoding that fails fails the capture.
#include "core/error.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>

using namespace folivex;
using namespace folivex::test;
using folivex::pdf::WritePdf;

namespace {

std::vector<Bytes> drawnPages()
{
    std::vector<Bytes> pages;
    for (int i = 0; i < 7; ++i)
        pages.push_back(RealJpeg(40 + 10 * i, 60 - 5 * i, i % 2 ? Qt::darkRed : Qt::darkBlue));
    return pages;
}

class WriterPipeline : public ::testing::Test {
protected:
    void SetUp() override { pdf::StopRequested = false; }
    TempFolder folder;
};

} // namespace

TEST_F(WriterPipeline, DetachedPagesGiveTheFileOfTheSequentialPass)
{
    ScriptedPages sequential(drawnPages());
    const auto expected = folder / "sequential.pdf";
    ASSERT_EQ(WritePdf(expected.string(), 7, sequential, {}), pdf::kWritten);

    // Every other page detached, and the detached ones slow, so that a page
    // encoded on this thread is ready before the one in flight before it.
    std::mutex lock;
    std::set<std::thread::id> encoders;
    ScriptedPages pipelined(drawnPages());
    pipelined.detach = [](int index) { return index % 2 == 0; };
    pipelined.detachedJob = [&](int) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::lock_guard<std::mutex> hold(lock);
        encoders.insert(std::this_thread::get_id());
    };
    const auto written = folder / "pipelined.pdf";
    ASSERT_EQ(WritePdf(written.string(), 7, pipelined, {}), pdf::kWritten);

    EXPECT_EQ(ReadFile(written), ReadFile(expected)) << "the same bytes in the same order";
    EXPECT_EQ(pipelined.captures, 7) << "each page captured once";
    EXPECT_FALSE(encoders.empty());
    EXPECT_EQ(encoders.count(std::this_thread::get_id()), 0u) << "detached pages are encoded on another thread";
    EXPECT_EQ(QpdfProblems(written), "") << "a valid PDF";
}

TEST_F(WriterPipeline, AFailedDetachedEncodingFailsTheCaptureAndLeavesTheOlderFile)
{
    const auto older = folder / "report.pdf";
    WriteFile(older, "older PDF");
    ScriptedPages pages(drawnPages());
    pages.detach = [](int) { return true; };
    pages.detachedJob = [](int index) {
        if (index == 3)
            throw Error("JPEG error #41");
    };
    try {
        WritePdf(older.string(), 7, pages, {});
        FAIL() << "the capture pass must throw";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), "JPEG error #41");
    }
    EXPECT_LE(pages.captures, 5) << "the capture stops at the page after the failing one";
    EXPECT_EQ(ReadFile(older), "older PDF");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.pdf"}) << "no temporary file is left";
}

namespace {

// The most encodings that ran at once when every page is detached, each
// page `pixels` large and page k's encoding slower than page k + 1's, so that
// encodings running side by side finish out of order; the file must still
// be the sequential pass's.
int mostEncodingsAtOnce(TempFolder &folder, std::int64_t pixels)
{
    ScriptedPages sequential(drawnPages());
    const auto expected = folder / "sequential.pdf";
    EXPECT_EQ(WritePdf(expected.string(), 7, sequential, {}), pdf::kWritten);

    std::atomic<int> running{0}, most{0};
    ScriptedPages pipelined(drawnPages());
    pipelined.detach = [](int) { return true; };
    pipelined.imagePixels = [pixels](int) { return pixels; };
    pipelined.detachedJob = [&](int index) {
        const int now = ++running;
        for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10 * (7 - index)));
        --running;
    };
    const auto written = folder / "pipelined.pdf";
    EXPECT_EQ(WritePdf(written.string(), 7, pipelined, {}), pdf::kWritten);
    EXPECT_EQ(ReadFile(written), ReadFile(expected)) << "the same bytes in the same order";
    EXPECT_EQ(pipelined.captures, 7);
    return most;
}

} // namespace

TEST_F(WriterPipeline, SmallPagesAreEncodedSideBySideOnEveryCoreAndLargeOnesOneAtATime)
{
    const int cores = int(std::max(1u, std::min(4u, std::thread::hardware_concurrency())));
    const int small = mostEncodingsAtOnce(folder, 2'000'000);
    EXPECT_LE(small, cores);
    if (cores > 1)
        EXPECT_GE(small, 2) << "a page is captured while two are encoded";
    EXPECT_EQ(mostEncodingsAtOnce(folder, 12 << 20), 1) << "two such pages together are more than one largest page";
    EXPECT_EQ(mostEncodingsAtOnce(folder, 0), 1) << "pages of unknown size are encoded alone";
}
