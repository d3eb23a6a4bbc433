// The file sink under the writer: what reaches the file, and a full disk.
#include "core/error.h"
#include "pdf/filesink.h"
#include "tests/support/testsupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace folivex;
using namespace folivex::test;

TEST(FileSink, SmallAndLargeWritesReachTheFileInOrder)
{
    TempFolder folder;
    const auto path = folder / "out.bin";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    std::string expected;
    {
        pdf::FileSink sink(fd, path.string());
        for (int round = 0; round < 5; ++round) {
            const std::string text = "header " + std::to_string(round) + "\n";
            const std::string large(70000 + round * 40000, char('a' + round));
            sink.write(text);
            sink.write(large.data(), large.size());
            expected += text + large;
            EXPECT_EQ(sink.position(), expected.size());
        }
        sink.write("%%EOF");
        expected += "%%EOF";
        sink.flush();
    }
    ::close(fd);
    EXPECT_EQ(ReadFile(path), expected);
}

TEST(FileSink, AFullDiskIsAnErrorNamingTheFile)
{
    const int fd = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    pdf::FileSink sink(fd, "/home/ana/Output/report.pdf");
    sink.write("%PDF-1.2\n"); // buffered
    const std::string image(100000, 'x');
    try {
        sink.write(image.data(), image.size());
        FAIL() << "/dev/full takes nothing";
    } catch (const Error &error) {
        EXPECT_EQ(error.text(), "No space left on device");
        EXPECT_EQ(error.file(), "/home/ana/Output/report.pdf");
        EXPECT_EQ(std::string(error.what()), "/home/ana/Output/report.pdf: writing: No space left on device");
    }
    ::close(fd);
}
