// How a writing pass ends: nothing to write, stopped, failed, written; and
// what each end leaves on disk.
#include "core/error.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

using namespace folivex;
using namespace folivex::test;
using folivex::pdf::WritePdf;

namespace {

struct Recorder {
    std::vector<std::pair<int, int>> progress;
    pdf::WriterHooks hooks()
    {
        pdf::WriterHooks hooks;
        hooks.progress = [this](int maximum, int position) { progress.emplace_back(maximum, position); };
        return hooks;
    }
};

class WriterOutcome : public ::testing::Test {
protected:
    void SetUp() override { pdf::StopRequested = false; }

    // An older PDF of the output name that every failure must leave alone.
    std::filesystem::path olderFile()
    {
        const auto path = folder / "report.pdf";
        WriteFile(path, "older PDF");
        return path;
    }

    TempFolder folder;
    Recorder recorder;
};

} // namespace

TEST_F(WriterOutcome, NoPagesOrNoNameWritesNothing)
{
    const auto older = olderFile();
    ScriptedPages pages({FakeJpeg(10, 10, 3, 100)});
    EXPECT_EQ(WritePdf(older.string(), 0, pages, recorder.hooks()), pdf::kNothingWritten);
    EXPECT_EQ(pages.captures, 0);
    EXPECT_EQ(WritePdf("", 1, pages, recorder.hooks()), pdf::kNothingWritten);
    EXPECT_EQ(pages.captures, 1) << "every page is captured once even without a name";
    EXPECT_TRUE(recorder.progress.empty());
    EXPECT_EQ(ReadFile(older), "older PDF");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.pdf"});
}

TEST_F(WriterOutcome, AStopDuringTheCapturePassWritesNoFile)
{
    const auto older = olderFile();
    ScriptedPages pages({RealJpeg(30, 40), RealJpeg(30, 40), RealJpeg(30, 40)});
    // Stop pressed while the first page is being captured.
    pages.onCapture = [](int, int index) {
        if (index == 0)
            pdf::StopRequested = true;
    };
    EXPECT_EQ(WritePdf(older.string(), 3, pages, recorder.hooks()), pdf::kStopped);
    EXPECT_EQ(pages.captures, 1) << "the stop is seen before the next page";
    EXPECT_EQ(recorder.progress, (std::vector<std::pair<int, int>>{{3, 1}, {0, 0}}));
    EXPECT_EQ(ReadFile(older), "older PDF");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.pdf"}) << "nothing of the pages is left";
    EXPECT_TRUE(pdf::StopRequested) << "the writer leaves the flag to the batch";

    // A page being encoded on the second thread when the stop comes is
    // waited for and dropped with the rest.
    pdf::StopRequested = false;
    pages.captures = 0;
    pages.detach = [](int) { return true; };
    pages.onCapture = [](int, int index) {
        if (index == 1)
            pdf::StopRequested = true;
    };
    EXPECT_EQ(WritePdf(older.string(), 3, pages, recorder.hooks()), pdf::kStopped);
    EXPECT_EQ(pages.captures, 2);
    EXPECT_EQ(ReadFile(older), "older PDF");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.pdf"});
}

TEST_F(WriterOutcome, AStopMadeBeforeTheFirstPageCapturesNothing)
{
    ScriptedPages pages({RealJpeg(30, 40)});
    pdf::StopRequested = true;
    EXPECT_EQ(WritePdf((folder / "a.pdf").string(), 1, pages, recorder.hooks()), pdf::kStopped);
    EXPECT_EQ(pages.captures, 0);
    EXPECT_TRUE(folder.entries().empty());
}

TEST_F(WriterOutcome, AStopDuringTheWritingPassLeavesTheOlderFile)
{
    const auto older = olderFile();
    ScriptedPages pages({RealJpeg(60, 80), RealJpeg(60, 80), RealJpeg(60, 80)});
    pdf::WriterHooks hooks;
    // Stop pressed once the second image is written: three pages captured,
    // the writing pass's (0, 0), two images.
    hooks.progress = [&](int maximum, int position) {
        recorder.progress.emplace_back(maximum, position);
        if (recorder.progress.size() == 6)
            pdf::StopRequested = true;
    };
    EXPECT_EQ(WritePdf(older.string(), 3, pages, hooks), pdf::kStopped);
    EXPECT_EQ(pages.captures, 3) << "each page captured once, all before the writing";
    EXPECT_EQ(recorder.progress.size(), 7u) << "the stop is seen before the third image";
    EXPECT_EQ(recorder.progress.back(), std::make_pair(0, 0));
    EXPECT_EQ(ReadFile(older), "older PDF");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.pdf"}) << "no partial file is left";
    EXPECT_TRUE(pdf::StopRequested) << "the flag stays set until the next document begins";
}

TEST_F(WriterOutcome, AStopSeenInTheFirstLoopWritesNoPageObject)
{
    MemoryResult output;
    pdf::WriterHooks hooks = recorder.hooks();
    hooks.openOutput = MemoryOpener(output);
    int pumps = 0;
    hooks.pumpMessages = [&] {
        if (++pumps == 3) // two pumps of the capture pass, then the first /Kids entry
            pdf::StopRequested = true;
    };
    ScriptedPages pages({FakeJpeg(10, 10, 3, 100), FakeJpeg(10, 10, 3, 100)});
    EXPECT_EQ(WritePdf("x.pdf", 2, pages, hooks), pdf::kStopped);
    EXPECT_TRUE(output.abandoned);
    EXPECT_FALSE(output.committed);
    const std::string written(output.bytes.bytes().begin(), output.bytes.bytes().end());
    EXPECT_TRUE(written.ends_with("/Kids [ 3 0 R ")) << written;
    EXPECT_EQ(recorder.progress, (std::vector<std::pair<int, int>>{{2, 1}, {2, 2}, {0, 0}, {0, 0}}));
}

TEST_F(WriterOutcome, AFailureWhileWritingFailsTheFile)
{
    const auto older = olderFile();
    ScriptedPages pages({RealJpeg(60, 80), RealJpeg(60, 80)});
    pdf::WriterHooks hooks = recorder.hooks();
    // An event handler run by the writing pass's pumps that fails.
    int pumps = 0;
    hooks.pumpMessages = [&] {
        if (++pumps == 5)
            throw Error("the application stopped answering");
    };
    std::string failure;
    EXPECT_EQ(WritePdf(older.string(), 2, pages, hooks, &failure), pdf::kFailed);
    EXPECT_EQ(failure, "the application stopped answering");
    EXPECT_EQ(recorder.progress.back(), std::make_pair(0, 0));
    EXPECT_EQ(ReadFile(older), "older PDF");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.pdf"});
}

TEST_F(WriterOutcome, TheKeptPagesLeaveNoFileBehind)
{
    // The pages are kept in the output folder's file system between the
    // passes, in a file without a name: none is seen during or after.
    ScriptedPages pages({RealJpeg(60, 80), RealJpeg(60, 80)});
    std::vector<std::string> during;
    pages.onCapture = [&](int, int index) {
        if (index == 1)
            during = folder.entries();
    };
    const auto output = folder / "a.pdf";
    EXPECT_EQ(WritePdf(output.string(), 2, pages, recorder.hooks()), pdf::kWritten);
    EXPECT_TRUE(during.empty());
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.pdf"});
    EXPECT_EQ(ListImages(output).size(), 2u);
}

TEST_F(WriterOutcome, CapturePassErrorsLeaveTheWriterBeforeAnyFile)
{
    const auto older = olderFile();
    ScriptedPages pages({RealJpeg(60, 80), Bytes{}});
    try {
        WritePdf(older.string(), 2, pages, recorder.hooks());
        FAIL() << "an empty page stream must not be measured";
    } catch (const Error &error) {
        EXPECT_EQ(error.text(), "Stream read error");
    }
    EXPECT_EQ(recorder.progress, (std::vector<std::pair<int, int>>{{2, 1}})) << "the first page was captured";
    EXPECT_EQ(ReadFile(older), "older PDF");
}

TEST_F(WriterOutcome, AMissingOutputFolderIsThrownAfterTheFirstReport)
{
    ScriptedPages pages({RealJpeg(60, 80)});
    const auto output = folder / "missing" / "a.pdf";
    try {
        WritePdf(output.string(), 1, pages, recorder.hooks());
        FAIL() << "no file can be created in a missing folder";
    } catch (const Error &error) {
        EXPECT_EQ(error.text(), "Cannot create file \"" + output.string() + "\". No such file or directory");
    }
    EXPECT_EQ(recorder.progress, (std::vector<std::pair<int, int>>{{1, 1}, {0, 0}}));
    EXPECT_TRUE(folder.entries().empty());
}

TEST_F(WriterOutcome, PositionsBeyondTenDigitsFailInsteadOfCorrupting)
{
    pdf::WriterHooks hooks = recorder.hooks();
    hooks.openOutput = CountingOpener(9'999'999'000ULL);
    ScriptedPages pages({FakeJpeg(10, 10, 3, 2000)});
    std::string failure;
    EXPECT_EQ(WritePdf("huge.pdf", 1, pages, hooks, &failure), pdf::kFailed);
    EXPECT_NE(failure.find("too large"), std::string::npos) << failure;

    hooks.openOutput = CountingOpener(9'999'990'000ULL);
    EXPECT_EQ(WritePdf("large.pdf", 1, pages, hooks), pdf::kWritten) << "positions of ten digits are fine";
}

TEST_F(WriterOutcome, ProgressStaysWithinThirtyTwoBits)
{
    // Byte totals past 2^31 are scaled, never wrapped into negative values.
    class BigPages : public pdf::PageSource {
    public:
        void CapturePage(std::int32_t) override {}
        void SavePageImage(ByteSink &stream) override { stream.write(jpeg.data(), jpeg.size()); }
        Bytes jpeg = FakeJpeg(10, 10, 3, 1 << 20);
    } pages;
    pdf::WriterHooks hooks = recorder.hooks();
    hooks.openOutput = CountingOpener(0);
    ASSERT_EQ(WritePdf("big.pdf", 2100, pages, hooks), pdf::kWritten);
    for (const auto &[maximum, position] : recorder.progress) {
        EXPECT_GE(position, 0);
        EXPECT_LE(position, maximum);
    }
    EXPECT_EQ(recorder.progress[recorder.progress.size() - 2].first,
              recorder.progress[recorder.progress.size() - 2].second);
}
