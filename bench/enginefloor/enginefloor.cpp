// enginefloor: what LibreOffice alone costs for one document, the floor any
// conversion built on it can approach on one core. It starts LibreOffice as
// the Office host does (the same engine, settings and lock), loads the
// document and renders every page, slide or worksheet's used cells at the
// given resolution into one reused canvas, in bands as the host does: no
// host protocol, no picture handed on, no JPEG, no PDF.
//
// usage: enginefloor [--dpi N] DOCUMENT
// Profiles are taken as the host takes them ($FOLIVEX_PROFILE_DIR).
// Prints one line: "pages N start S load S render S total S" in seconds.
#include "core/documentkind.h"
#include "core/error.h"
#include "office/engine/libreoffice.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace folivex;
using namespace folivex::office;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

DocumentKind kindOf(const std::string &path)
{
    if (const std::optional<DocumentKind> kind = DocumentKindOf(LowerCaseExtension(path)))
        return *kind;
    throw Error("Cannot tell whether " + path + " is a Word, PowerPoint or Excel document from its extension");
}

// Renders `area` (twips) of `part` at `dpi`, in bands of at most 64 MiB.
void render(const EngineDocument &document, int part, const TwipRect &area, int dpi, std::vector<unsigned char> &canvas)
{
    const int width = std::max(1, int(area.width * dpi / 1440));
    const int height = std::max(1, int(area.height * dpi / 1440));
    const int bandRows = std::max(1, std::min(height, int((64L << 20) / (long(width) * 4))));
    canvas.resize(size_t(width) * size_t(bandRows) * 4);
    for (int top = 0; top < height; top += bandRows)
        document.renderRows(canvas.data(), width, height, part, area, top, std::min(bandRows, height - top));
}

TwipRect twips(const ModelRect &r)
{
    return {twipsFromHundredthsMm(r.x), twipsFromHundredthsMm(r.y), twipsFromHundredthsMm(r.width),
            twipsFromHundredthsMm(r.height)};
}

} // namespace

int main(int argc, char **argv)
{
    int dpi = 72;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dpi") == 0 && i + 1 < argc)
            dpi = std::atoi(argv[++i]);
        else
            path = argv[i];
    }
    if (path.empty() || dpi < 1) {
        std::fprintf(stderr, "usage: enginefloor [--dpi N] DOCUMENT\n");
        return 2;
    }
    try {
        const auto began = Clock::now();
        // Never destroyed, as in the host.
        auto *office = new LibreOffice(ProfileSlot(), true);
        const auto started = Clock::now();
        const DocumentKind kind = kindOf(path);
        auto document = office->load({path, path}, kind);
        const auto loaded = Clock::now();
        std::vector<unsigned char> canvas;
        int pages = 0;
        if (kind == DocumentKind::Word) {
            for (const TwipRect &page : document->pageRectangles()) {
                render(*document, 0, page, dpi, canvas);
                ++pages;
            }
        } else if (kind == DocumentKind::Excel) {
            for (int sheet = 0; sheet < document->sheetCount(); ++sheet) {
                if (document->isChartSheet(sheet))
                    continue;
                render(*document, sheet, twips(document->cellArea(sheet, document->usedCells(sheet))), dpi, canvas);
                ++pages;
            }
        } else {
            const TwipRect slide = twips(document->slideSize());
            for (int part = 0; part < document->partCount(); ++part) {
                render(*document, part, slide, dpi, canvas);
                ++pages;
            }
        }
        const auto rendered = Clock::now();
        std::printf("pages %d start %.3f load %.3f render %.3f total %.3f\n", pages, seconds(began, started),
                    seconds(started, loaded), seconds(loaded, rendered), seconds(began, rendered));
        std::fflush(stdout);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "enginefloor: %s\n", e.what());
        std::fflush(stderr);
        ::_exit(1);
    }
    // LibreOfficeKit's teardown can crash; nothing is left to save.
    ::_exit(0);
}
