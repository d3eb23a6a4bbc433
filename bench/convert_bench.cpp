// Converting whole documents: folivex --convert against (a) soffice's own PDF
// export and (b) the chain of standard tools that makes the same kind of
// image-only PDF (soffice to PDF, pdftoppm -jpeg -r 72, img2pdf), on a
// 100-page .docx, a 50-slide .pptx and a 10-sheet .xlsx, in one run.
#include "bench/benchsupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using folivex::bench::Best;
using folivex::bench::Measure;
using folivex::bench::Measured;

namespace fs = std::filesystem;

namespace {

struct Document {
    std::string file;
    int pages;
};

std::vector<std::string> jpegsIn(const fs::path &folder)
{
    std::vector<std::string> files;
    for (const auto &entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".jpg")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path fixtures = argc > 1 ? argv[1] : FOLIVEX_FIXTURE_DIR;
    const std::string folivex = FOLIVEX_EXECUTABLE;
    const fs::path work = fs::temp_directory_path() / "folivex-bench-convert";
    fs::remove_all(work);
    fs::create_directories(work / "folivex");
    fs::create_directories(work / "profile");
    const std::string profile = "-env:UserInstallation=file://" + (work / "profile").string();
    const int runs = 3;

    const std::vector<Document> documents{{"big100.docx", 100}, {"big50.pptx", 50}, {"big10.xlsx", 10}};
    // Settle soffice's profile once, as a user's would be.
    Measure({"soffice", profile, "--headless", "--convert-to", "pdf", "--outdir", work.string(),
             (fixtures / documents[0].file).string()});

    std::printf("%-12s %6s | %9s %8s | %9s %7s | %9s %7s\n", "document", "pages", "folivex s", "pages/s", "soffice s",
                "ratio", "chain s", "ratio");
    bool met = true;
    for (const Document &doc : documents) {
        const std::string input = (fixtures / doc.file).string();
        const Measured ours = Best({folivex, "--convert", input, "--output", (work / "folivex").string()}, runs);

        const Measured direct =
            Best({"soffice", profile, "--headless", "--convert-to", "pdf", "--outdir", work.string(), input}, runs);

        double chain = 1e9;
        for (int run = 0; run < runs; ++run) {
            const fs::path pages = work / "chain";
            fs::remove_all(pages);
            fs::create_directories(pages);
            const std::string stem = fs::path(doc.file).stem().string();
            double seconds =
                Measure({"soffice", profile, "--headless", "--convert-to", "pdf", "--outdir", pages.string(), input})
                    .seconds;
            seconds += Measure({"pdftoppm", "-jpeg", "-r", "72", (pages / (stem + ".pdf")).string(),
                                (pages / "page").string()})
                           .seconds;
            std::vector<std::string> wrap{"img2pdf"};
            for (const std::string &jpeg : jpegsIn(pages))
                wrap.push_back(jpeg);
            wrap.insert(wrap.end(), {"-o", (pages / "out.pdf").string()});
            seconds += Measure(wrap).seconds;
            chain = std::min(chain, seconds);
        }
        if (ours.exitCode != 0 || direct.exitCode != 0) {
            std::fprintf(stderr, "%s: folivex exit %d, soffice exit %d\n", doc.file.c_str(), ours.exitCode,
                         direct.exitCode);
            return 1;
        }
        std::printf("%-12s %6d | %9.3f %8.1f | %9.3f %6.2fx | %9.3f %6.2fx\n", doc.file.c_str(), doc.pages,
                    ours.seconds, doc.pages / ours.seconds, direct.seconds, ours.seconds / direct.seconds, chain,
                    ours.seconds / chain);
        met = met && ours.seconds < chain && ours.seconds < 2 * direct.seconds;
    }
    std::printf("\nratios are folivex's time over the other's (below 1: folivex is faster).\n"
                "targets: below 1 against the chain on every document; below 2 against soffice: %s\n",
                met ? "met" : "NOT met");
    fs::remove_all(work);
    return 0;
}
