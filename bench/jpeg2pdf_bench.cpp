// Wrapping JPEG pages into a PDF: folivex-jpeg2pdf against img2pdf on the
// same 612 x 792 files, with wall times, their ratio, pages per second and
// peak memory at 10 and at 1000 pages.
#include "bench/benchsupport.h"
#include "convert/jpegencoder.h"

#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using folivex::bench::Best;
using folivex::bench::Measured;

namespace {

// A page of text-like lines, different on every page.
std::vector<std::uint8_t> pageJpeg(int index)
{
    QImage page(612, 792, QImage::Format_RGB888);
    page.fill(Qt::white);
    QPainter painter(&page);
    for (int line = 0; line < 48; ++line) {
        const int width = 300 + (line * 37 + index * 11) % 220;
        painter.fillRect(72, 72 + line * 13, width, 7, QColor(40, 40, 40));
    }
    for (int digit = 0; digit <= index % 10; ++digit) {
        painter.fillRect(72 + digit * 12, 740, 8, 20, QColor(0, 0, 128));
    }
    painter.end();
    return folivex::convert::EncodeBaselineJpeg(page);
}

std::vector<std::string> writePages(const std::filesystem::path &folder, int count)
{
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "page%04d.jpg", i);
        const auto path = folder / name;
        const auto bytes = pageJpeg(i);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        files.push_back(path.string());
    }
    return files;
}

struct Pair {
    Measured folivex, img2pdf;
};

Pair measure(const std::string &tool, const std::vector<std::string> &pages, const std::filesystem::path &folder,
             int runs)
{
    std::vector<std::string> ours{tool, (folder / "folivex.pdf").string()};
    ours.insert(ours.end(), pages.begin(), pages.end());
    std::vector<std::string> theirs{"img2pdf"};
    theirs.insert(theirs.end(), pages.begin(), pages.end());
    theirs.insert(theirs.end(), {"-o", (folder / "img2pdf.pdf").string()});
    return {Best(ours, runs, ours[1]), Best(theirs, runs, theirs.back())};
}

} // namespace

int main(int argc, char **argv)
{
    const std::string tool = argc > 1 ? argv[1] : FOLIVEX_JPEG2PDF;
    const auto folder = std::filesystem::temp_directory_path() / "folivex-bench-jpeg2pdf";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);

    std::printf("writing 1000 JPEG pages of 612 x 792 ...\n");
    const std::vector<std::string> all = writePages(folder, 1000);
    const std::vector<std::string> ten(all.begin(), all.begin() + 10);

    const Pair small = measure(tool, ten, folder, 5);
    const Pair large = measure(tool, all, folder, 5);
    if (small.folivex.exitCode || large.folivex.exitCode || small.img2pdf.exitCode || large.img2pdf.exitCode) {
        std::fprintf(stderr, "a run failed (folivex %d/%d, img2pdf %d/%d)\n", small.folivex.exitCode,
                     large.folivex.exitCode, small.img2pdf.exitCode, large.img2pdf.exitCode);
        return 1;
    }
    const auto size = [&](const char *name) { return std::filesystem::file_size(folder / name); };

    std::printf("\n%-18s %12s %12s %10s\n", "1000 pages", "wall s", "pages/s", "peak KiB");
    std::printf("%-18s %12.3f %12.0f %10ld\n", "folivex-jpeg2pdf", large.folivex.seconds, 1000 / large.folivex.seconds,
                large.folivex.peakKiB);
    std::printf("%-18s %12.3f %12.0f %10ld\n", "img2pdf", large.img2pdf.seconds, 1000 / large.img2pdf.seconds,
                large.img2pdf.peakKiB);
    std::printf("speed ratio (img2pdf time / folivex time): %.1fx   (target: at least 10x)\n",
                large.img2pdf.seconds / large.folivex.seconds);
    std::printf("\n%-18s %12s %12s\n", "peak KiB", "10 pages", "1000 pages");
    std::printf("%-18s %12ld %12ld   (target: the same)\n", "folivex-jpeg2pdf", small.folivex.peakKiB,
                large.folivex.peakKiB);
    std::printf("%-18s %12ld %12ld\n", "img2pdf", small.img2pdf.peakKiB, large.img2pdf.peakKiB);
    std::printf("memory ratio (1000 pages / 10 pages): folivex %.2f, img2pdf %.2f\n",
                double(large.folivex.peakKiB) / small.folivex.peakKiB,
                double(large.img2pdf.peakKiB) / small.img2pdf.peakKiB);
    std::printf("\n10 pages: folivex %.4f s, img2pdf %.4f s (ratio %.1fx)\n", small.folivex.seconds,
                small.img2pdf.seconds, small.img2pdf.seconds / small.folivex.seconds);
    std::printf("PDF bytes (1000 pages): folivex %ju, img2pdf %ju\n", static_cast<std::uintmax_t>(size("folivex.pdf")),
                static_cast<std::uintmax_t>(size("img2pdf.pdf")));
    if (!std::getenv("FOLIVEX_BENCH_KEEP"))
        std::filesystem::remove_all(folder);
    return 0;
}
