// Documents that link to content outside themselves, converted for real:
// every link must stay unfollowed (no request reaches the listener, no
// marker file is opened, no marker shows in the pages) and a PDF must still
// be written. Each layer is tried alone as well: LibreOffice's settings
// without the kernel's confinement, and the confinement without the
// settings.
#include "fileaccesswatch.h"
#include "linklistener.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;
using namespace folivex::test;

namespace {

const std::string kFolivex = FOLIVEX_EXECUTABLE;
const fs::path kFixtures = FOLIVEX_FIXTURE_DIR;
const std::string kGenerator = FOLIVEX_HOSTILE_GENERATOR;

std::string shellQuoted(const fs::path &path)
{
    return "'" + path.string() + "'";
}

// Pure red pixels on the pages of `pdf`: the marker picture, and what the
// listener answers, are a red square.
int redPixels(const fs::path &pdf, const fs::path &scratch)
{
    fs::create_directories(scratch);
    RunCommand("pdftoppm -r 24 -png " + shellQuoted(pdf) + " " + shellQuoted(scratch / "page"));
    int red = 0;
    for (const auto &entry : fs::directory_iterator(scratch)) {
        QImage page(QString::fromStdString(entry.path().string()));
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb p = page.pixel(x, y);
                red += qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90;
            }
    }
    fs::remove_all(scratch);
    return red;
}

class HostileDocuments : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root_ = new TempFolder();
        listener_ = new LinkListener(redPicture());
        const CommandResult made =
            RunCommand("python3 " + shellQuoted(kGenerator) + " --port " + std::to_string(listener_->port()) +
                       " --markers " + shellQuoted(*root_ / "markers") + " --fixtures " + shellQuoted(kFixtures) +
                       " --out " + shellQuoted(*root_ / "documents"));
        ASSERT_EQ(made.exitCode, 0) << made.output;
        std::ifstream list(*root_ / "documents" / "cases.txt");
        for (std::string name; std::getline(list, name);)
            if (!name.empty())
                cases_.push_back(name);
    }
    static void TearDownTestSuite()
    {
        delete listener_;
        delete root_;
    }

    // A red square as PNG, the listener's answer to every request.
    static std::string redPicture()
    {
        QImage red(64, 64, QImage::Format_RGB888);
        red.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        red.save(&buffer, "PNG");
        return bytes.toStdString();
    }

    // Converts every case in `cases` with `environment` set and returns what
    // went wrong, one line a case; empty when every link stayed unfollowed
    // and every PDF was written.
    static std::string leaks(const std::string &environment, const std::vector<std::string> &cases)
    {
        const fs::path documents = *root_ / "documents";
        const fs::path markers = *root_ / "markers";
        FileAccessWatch watch({markers / "marker.png", markers / "marker.txt", documents / "neighbour.png"});
        std::ostringstream found;
        for (const std::string &name : cases) {
            TempFolder out;
            const int before = listener_->requests();
            watch.takeOpened();
            const CommandResult run =
                RunCommand("env " + environment + " " + kFolivex + " --convert " + shellQuoted(documents / name) +
                           " --jobs 1 --output " + shellQuoted(out.path()));
            const int requests = listener_->requests() - before;
            const std::set<std::string> opened = watch.takeOpened();
            const fs::path pdf = out / (fs::path(name).stem().string() + ".pdf");
            if (run.exitCode != 0 || !fs::exists(pdf))
                found << name << ": no PDF (exit " << run.exitCode << "): " << run.output << "\n";
            if (requests > 0)
                found << name << ": " << requests << " request(s) reached the listener: " << listener_->lastRequest()
                      << "\n";
            for (const std::string &file : opened)
                found << name << ": opened " << file << "\n";
            if (fs::exists(pdf))
                if (const int red = redPixels(pdf, out / "pages"); red > 20)
                    found << name << ": the marker shows in the pages (" << red << " red pixels)\n";
        }
        return found.str();
    }

    static TempFolder *root_;
    static LinkListener *listener_;
    static std::vector<std::string> cases_;
};

TempFolder *HostileDocuments::root_ = nullptr;
LinkListener *HostileDocuments::listener_ = nullptr;
std::vector<std::string> HostileDocuments::cases_;

TEST_F(HostileDocuments, NoLinkIsFollowedAndEveryDocumentStillConverts)
{
    ASSERT_GE(cases_.size(), 16u);
    EXPECT_EQ(leaks("FOLIVEX_CONFINEMENT=1", cases_), "");
}

TEST_F(HostileDocuments, TheKernelsConfinementAloneFollowsNoLink)
{
    EXPECT_EQ(leaks("FOLIVEX_BLOCK_LINKS=0", cases_), "");
}

// The checks themselves: with both layers off, LibreOffice follows the links
// and every detector sees it.
TEST_F(HostileDocuments, WithBothLayersOffTheLinksAreFollowedAndSeen)
{
    const std::string found =
        leaks("FOLIVEX_CONFINEMENT=0 FOLIVEX_BLOCK_LINKS=0", {"picture-web.docx", "picture-file.docx"});
    EXPECT_NE(found.find(" request(s) reached the listener: GET /picture.png"), std::string::npos) << found;
    EXPECT_NE(found.find("picture-file.docx: opened " + (*root_ / "markers" / "marker.png").string()),
              std::string::npos)
        << found;
    EXPECT_NE(found.find("the marker shows in the pages"), std::string::npos) << found;
}

// What LibreOffice's settings close without the kernel's help: its linked
// pictures of Office Open XML and flat ODF. The rest (an SVG picture's own
// link, RTF fields, HTML links and stylesheets, a bitmap fill, a linked
// object, a Word 97 linked picture's web address) LibreOffice follows
// whatever its settings say; only the confinement stops those.
TEST_F(HostileDocuments, LibreOfficesSettingsAloneFollowNoLinkedPicture)
{
    EXPECT_EQ(leaks("FOLIVEX_CONFINEMENT=0",
                    {"fields.docx", "picture-web.docx", "picture-file.docx", "picture-path.docx",
                     "picture-neighbour.docx", "picture-web.pptx", "picture-file.pptx", "picture-web.xlsx",
                     "picture-file.xlsx", "flat-odp.ppt", "flat-ods.xls", "word97-picture-file.doc"}),
              "");
}

} // namespace

namespace {

TEST(MemoryLimit, AZipBombIsEndedWithTheMemoryReasonAndTheNextDocumentConverts)
{
    TempFolder folder;
    const CommandResult made = RunCommand("python3 " + shellQuoted(kGenerator) + " --bomb " +
                                          shellQuoted(folder / "bomb.docx") + " --bomb-megabytes 400");
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const fs::path out = folder / "out";
    fs::create_directory(out);
    const CommandResult run = RunCommand(kFolivex + " --convert " + shellQuoted(folder / "bomb.docx") + " " +
                                         shellQuoted(kFixtures / "letter3.docx") + " --jobs 1 --max-memory 512M" +
                                         " --output " + shellQuoted(out));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("Word ended unexpectedly (needed more than 512 MiB of memory)"), std::string::npos)
        << run.output;
    EXPECT_FALSE(fs::exists(out / "bomb.pdf"));
    EXPECT_TRUE(fs::exists(out / "letter3.pdf")) << run.output;
}

TEST(MemoryLimit, TheOptionTakesSizesWithTheirUnitsAndRefusesTooLittle)
{
    const CommandResult tiny = RunCommand(kFolivex + " --convert x.docx --max-memory 100M");
    EXPECT_EQ(tiny.exitCode, 2);
    EXPECT_NE(tiny.output.find("folivex: --max-memory needs a size of at least 256M, such as 2G or 1536M: 100M"),
              std::string::npos)
        << tiny.output;
    const CommandResult word = RunCommand(kFolivex + " --convert x.docx --max-memory lots");
    EXPECT_EQ(word.exitCode, 2);
    EXPECT_NE(word.output.find("--max-memory needs a size"), std::string::npos) << word.output;
}

} // namespace
