// office_bench: the Office host on a 100-page .docx, a 50-slide .pptx and a
// 10-sheet .xlsx: host start to the first answered call, Open, per page the
// copy calls plus playing the picture at 100% size (and the whole capture
// with the geometry reads), Quit; beside them the same documents through
// `soffice --headless --convert-to pdf`. Prints the figures and the ratios.
#include "core/error.h"
#include "platform/automation.h"
#include "convert/wordpages.h"
#include "platform/clipboard.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace folivex;
using automation::Variant;
using Clock = std::chrono::steady_clock;

namespace {

double since(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

void emptyClipboard()
{
    auto &c = clipboard::ProcessClipboard();
    c.open();
    c.empty();
    c.close();
}

void play(int w, int h)
{
    QImage bitmap(w, h, QImage::Format_RGB888);
    bitmap.fill(Qt::white);
    clipboard::ProcessClipboard().enhancedMetafile()->play(bitmap, QRect(0, 0, w, h));
}

// The copy calls of one page, by member name, as the conversion makes them.
void copyPage(const Variant &app, const std::string &kind, int n)
{
    if (kind == "Word") {
        convert::SelectWordPage(app.read("Application"), app.read("ActiveDocument"), n);
        app.read("Application").read("Selection").read("Range").call("CopyAsPicture");
    } else if (kind == "PowerPoint") {
        app.read("ActivePresentation").read("Slides").call("Range", {int32_t(n)}).call("select");
        app.read("ActivePresentation").read("Slides").call("Range", {int32_t(n)}).call("copy");
    } else {
        app.get("WorkSheets", {int32_t(n)}).call("Activate");
        app.read("ActiveSheet").read("UsedRange").call("Select");
        app.read("Selection").call("Copy");
    }
}

// The geometry reads of one page; returns the picture size in points.
std::pair<int, int> geometry(const Variant &app, const std::string &kind)
{
    if (kind == "Word") {
        for (const char *m : {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"})
            app.read("ActiveDocument").read("PageSetup").read(m).toInt32();
        int h = app.read("ActiveDocument").read("PageSetup").read("PageHeight").toInt32();
        int w = app.read("ActiveDocument").read("PageSetup").read("PageWidth").toInt32();
        return {w, h};
    }
    if (kind == "PowerPoint") {
        int h = app.read("ActivePresentation").read("PageSetup").read("SlideHeight").toInt32();
        int w = app.read("ActivePresentation").read("PageSetup").read("SlideWidth").toInt32();
        return {w, h};
    }
    for (const char *m : {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"})
        app.read("ActiveSheet").read("PageSetup").read(m).toInt32();
    int h = app.read("ActiveSheet").read("UsedRange").read("Height").toInt32();
    int w = app.read("ActiveSheet").read("UsedRange").read("Width").toInt32();
    return {w, h};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double soffice(const std::string &file, const std::string &profile, const std::string &out)
{
    std::string command = "soffice -env:UserInstallation=file://" + profile +
                          " --headless --norestore --convert-to pdf --outdir " + out + " " + file + " >/dev/null 2>&1";
    auto t = Clock::now();
    if (std::system(command.c_str()) != 0)
        throw Error("soffice failed on " + file);
    return since(t);
}

struct Case {
    std::string kind, file, collection, countChain;
};

} // namespace

int main()
{
    namespace fs = std::filesystem;
    ::setenv("FOLIVEX_OFFICE", FOLIVEX_OFFICE_HOST, 0);
    ::setenv("FOLIVEX_PROFILE_DIR", FOLIVEX_BENCH_PROFILES, 0);
    std::string dir = FOLIVEX_FIXTURE_DIR;
    fs::path out = fs::temp_directory_path() / "folivex-office-bench";
    fs::create_directories(out);
    std::string sofficeProfile = std::string(FOLIVEX_BENCH_PROFILES) + "/soffice";

    std::vector<Case> cases = {{"Word", dir + "/big100.docx", "Documents", ""},
                               {"PowerPoint", dir + "/big50.pptx", "Presentations", ""},
                               {"Excel", dir + "/big10.xlsx", "WorkBooks", ""}};
    try {
        // Settle the profiles once (their first start is slow), as an
        // installed Folivex has them settled.
        for (const Case &c : cases)
            automation::CreateOleObject(c.kind + ".Application").call("Quit");
        soffice(dir + "/letter3.docx", sofficeProfile, out.string());

        std::printf("%-10s %8s %8s %6s %12s %12s %12s %8s %9s %10s %7s\n", "kind", "start", "open", "pages",
                    "copy+play", "per 612x792", "capture", "quit", "ours", "soffice", "ratio");
        for (const Case &c : cases) {
            auto t0 = Clock::now();
            Variant app = automation::CreateOleObject(c.kind + ".Application");
            app.put("Visible", true);
            double start = since(t0);
            app.put("WindowState", int32_t(2));

            auto t1 = Clock::now();
            app.read(c.collection).call("Open", {c.file});
            double open = since(t1);

            int pages;
            if (c.kind == "Word")
                pages = app.read("Application").read("Selection").get("Information", {int32_t(4)}).toInt32();
            else if (c.kind == "PowerPoint")
                pages = app.read("ActivePresentation").read("Slides").read("Count").toInt32();
            else
                pages = app.read("Worksheets").read("Count").toInt32();

            std::vector<double> copyPlay, perLetterPage, capture;
            for (int n = 1; n <= pages; ++n) {
                auto [w, h] = geometry(app, c.kind);
                emptyClipboard();
                auto a = Clock::now();
                copyPage(app, c.kind, n);
                play(w, h);
                double ms = since(a);
                copyPlay.push_back(ms);
                perLetterPage.push_back(ms * (612.0 * 792.0) / std::max(1.0, double(w) * h));
                emptyClipboard();
                // The whole capture: empty, copy, geometry, play, empty.
                auto b = Clock::now();
                emptyClipboard();
                copyPage(app, c.kind, n);
                auto [w2, h2] = geometry(app, c.kind);
                play(w2, h2);
                emptyClipboard();
                capture.push_back(since(b));
            }
            auto t2 = Clock::now();
            app.call("Quit");
            app = Variant();
            double quit = since(t2);

            double ours = start + open + quit;
            for (double v : capture)
                ours += v;
            double theirs = soffice(c.file, sofficeProfile, out.string());
            std::printf("%-10s %6.0fms %6.0fms %6d %10.2fms %10.2fms %10.2fms %6.0fms %7.0fms %8.0fms %7.2f\n",
                        c.kind.c_str(), start, open, pages, median(copyPlay), median(perLetterPage), median(capture),
                        quit, ours, theirs, ours / theirs);
        }
        std::printf("\nstart: host start to the first answered call; copy+play: median per page of the copy calls\n"
                    "and playing the picture at 100%%; per 612x792: the same scaled to a Letter page's pixels;\n"
                    "capture: median per page of the whole capture (empty, copy, geometry reads, play, empty);\n"
                    "ours: start + open + every page captured once + quit; soffice: --convert-to pdf of the\n"
                    "same file; ratio: ours / soffice. Targets: start < 300 ms, copy+play < 5 ms per 612x792 page.\n");
    } catch (const Error &e) {
        std::fprintf(stderr, "office_bench: %s\n", e.what());
        return 1;
    }
    fs::remove_all(out);
    return 0;
}
