// folivex-jpeg2pdf [--resolution DPI] OUTPUT.pdf INPUT.jpg...: writes the JPEG
// files as the pages of one PDF, each file one full-page image, and prints the
// writer's result code.
#include "core/error.h"
#include "core/resolution.h"
#include "core/uniquefd.h"
#include "pdf/jpeg2pdf.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Each page is one JPEG file, read when the writer asks for it.
class JpegFilePages : public folivex::pdf::PageSource {
public:
    JpegFilePages(std::vector<std::string> files, std::int32_t resolution)
        : files_(std::move(files)), resolution_(resolution)
    {
    }

    void CapturePage(std::int32_t pageIndex) override
    {
        const std::string &name = files_.at(static_cast<std::size_t>(pageIndex));
        const folivex::UniqueFd fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd)
            throw folivex::Error(std::strerror(errno), name, pageIndex + 1, "reading");
        // One read of the size the file has; a file that grows meanwhile is read on to its end.
        struct stat info {};
        const std::size_t expected = ::fstat(fd.get(), &info) == 0 && info.st_size > 0 ? std::size_t(info.st_size) : 0;
        bytes_.resize(expected + 1);
        std::size_t filled = 0;
        for (;;) {
            if (filled == bytes_.size())
                bytes_.resize(bytes_.size() * 2);
            const ssize_t got = ::read(fd.get(), bytes_.data() + filled, bytes_.size() - filled);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw folivex::Error(std::strerror(errno), name, pageIndex + 1, "reading");
            if (got == 0)
                break;
            filled += static_cast<std::size_t>(got);
        }
        bytes_.resize(filled);
    }

    void SavePageImage(folivex::ByteSink &stream) override { stream.write(bytes_.data(), bytes_.size()); }
    std::int32_t PageResolution() override { return resolution_; }

private:
    std::vector<std::string> files_;
    std::int32_t resolution_;
    std::vector<char> bytes_;
};

constexpr const char *kUsage = "usage: folivex-jpeg2pdf [--resolution DPI] OUTPUT.pdf INPUT.jpg...\n"
                               "Writes every JPEG file as one full-page image of a PDF 1.2 file and prints the\n"
                               "writer's result: -2 written, -3 failed, -4 stopped, -1 nothing to write.\n"
                               "Each page is as large as its image at DPI pixels an inch, 72 to 600 (default\n"
                               "72: a pixel is a point), in whole points.\n";

} // namespace

int main(int argc, char **argv)
{
    const bool help = argc == 2 && std::strcmp(argv[1], "--help") == 0;
    std::int32_t resolution = 72;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--resolution") == 0) {
        try {
            resolution = folivex::CheckedResolution(argv[2]);
        } catch (const folivex::Error &error) {
            std::fprintf(stderr, "folivex-jpeg2pdf: %s\n", error.what());
            return 2;
        }
        first = 3;
    }
    if (help || argc - first < 2) {
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    }
    JpegFilePages pages(std::vector<std::string>(argv + first + 1, argv + argc), resolution);
    std::string failure;
    try {
        const int result = folivex::pdf::WritePdf(argv[first], argc - first - 1, pages, {}, &failure);
        std::printf("%d\n", result);
        if (result == folivex::pdf::kFailed)
            std::fprintf(stderr, "folivex-jpeg2pdf: %s\n", failure.c_str());
        return result == folivex::pdf::kWritten ? 0 : 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "folivex-jpeg2pdf: %s\n", error.what());
        return 1;
    }
}
