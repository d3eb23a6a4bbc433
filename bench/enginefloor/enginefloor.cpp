// enginefloor: what LibreOffice alone costs for one document, the floor any
// conversion built on it can approach on one core. It starts LibreOfficeKit,
// loads the document and paints every page (text documents), slide or sheet
// at the given resolution into one reused canvas, with nothing else: no
// host protocol, no picture handed on, no JPEG, no PDF.
//
// usage: enginefloor [--dpi N] [--profile DIR] DOCUMENT
// Prints one line: "pages N start S load S paint S total S" in seconds.
#define LOK_USE_UNSTABLE_API
#include <LibreOfficeKit/LibreOfficeKit.hxx>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

struct Rect {
    long x = 0, y = 0, width = 0, height = 0;
};

// "x, y, w, h; x, y, w, h; ..." as LibreOfficeKit gives page rectangles.
std::vector<Rect> parseRectangles(const char *text)
{
    std::vector<Rect> rects;
    std::string all = text ? text : "";
    for (char &c : all)
        if (c == ',' || c == ';')
            c = ' ';
    std::istringstream in(all);
    Rect r;
    while (in >> r.x >> r.y >> r.width >> r.height)
        rects.push_back(r);
    return rects;
}

// Paints `area` (twips) at `dpi` into `canvas`, which grows as needed. A
// page taller than 16384 pixels is painted in bands, as a converter must.
void paint(lok::Document &document, int part, bool byPart, const Rect &area, int dpi,
           std::vector<unsigned char> &canvas)
{
    const int width = std::max(1, int(area.width * dpi / 1440));
    const int height = std::max(1, int(area.height * dpi / 1440));
    const int bandRows = std::max(1, std::min(height, int((64L << 20) / (long(width) * 4))));
    canvas.resize(size_t(width) * size_t(bandRows) * 4);
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        const long y = area.y + long(top) * area.height / height;
        const long h = long(rows) * area.height / height;
        if (byPart)
            document.paintPartTile(canvas.data(), part, width, rows, int(area.x), int(y), int(area.width), int(h));
        else
            document.paintTile(canvas.data(), width, rows, int(area.x), int(y), int(area.width), int(h));
    }
}

} // namespace

int main(int argc, char **argv)
{
    int dpi = 72;
    std::string profile;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dpi") == 0 && i + 1 < argc)
            dpi = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--profile") == 0 && i + 1 < argc)
            profile = argv[++i];
        else
            path = argv[i];
    }
    if (path.empty() || dpi < 1) {
        std::fprintf(stderr, "usage: enginefloor [--dpi N] [--profile DIR] DOCUMENT\n");
        return 2;
    }
    namespace fs = std::filesystem;
    if (profile.empty())
        profile = (fs::temp_directory_path() / ("enginefloor-" + std::to_string(::getuid()))).string();
    const std::string profileUrl = "file://" + fs::absolute(profile).string();
    const std::string url = "file://" + fs::absolute(path).string();

    const auto began = Clock::now();
    std::unique_ptr<lok::Office> office(lok::lok_cpp_init("/usr/lib/libreoffice/program", profileUrl.c_str()));
    if (!office) {
        std::fprintf(stderr, "enginefloor: LibreOffice could not be started\n");
        return 1;
    }
    const auto started = Clock::now();
    std::unique_ptr<lok::Document> document(office->documentLoad(url.c_str(), "Batch=true"));
    if (!document) {
        std::fprintf(stderr, "enginefloor: cannot load %s: %s\n", path.c_str(), office->getError());
        return 1;
    }
    document->initializeForRendering("");
    const auto loaded = Clock::now();

    std::vector<unsigned char> canvas;
    int pages = 0;
    if (document->getDocumentType() == LOK_DOCTYPE_TEXT) {
        char *text = document->getPartPageRectangles();
        const std::vector<Rect> rects = parseRectangles(text);
        std::free(text);
        for (const Rect &page : rects) {
            paint(*document, 0, false, page, dpi, canvas);
            ++pages;
        }
    } else {
        const int parts = document->getParts();
        for (int part = 0; part < parts; ++part) {
            document->setPart(part);
            long width = 0, height = 0;
            document->getDocumentSize(&width, &height);
            paint(*document, part, true, Rect{0, 0, width, height}, dpi, canvas);
            ++pages;
        }
    }
    const auto painted = Clock::now();
    std::printf("pages %d start %.3f load %.3f paint %.3f total %.3f\n", pages, seconds(began, started),
                seconds(started, loaded), seconds(loaded, painted), seconds(began, painted));
    std::fflush(stdout);
    // LibreOfficeKit's teardown can crash; nothing is left to save.
    ::_exit(0);
}
