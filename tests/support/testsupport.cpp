#include "testsupport.h"

#include "convert/jpegencoder.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <jpeglib.h>

namespace folivex::test {

namespace {

class MemoryOutput : public pdf::PdfOutput {
public:
    explicit MemoryOutput(MemoryResult &result) : result_(result) {}
    ByteSink &sink() override { return result_.bytes; }
    void commit() override { result_.committed = true; }
    void abandon() noexcept override { result_.abandoned = true; }

private:
    MemoryResult &result_;
};

class CountingSink : public ByteSink {
public:
    explicit CountingSink(std::uint64_t start) : position_(start) {}
    void write(const void *, std::size_t size) override { position_ += size; }
    using ByteSink::write;
    std::uint64_t position() const override { return position_; }

private:
    std::uint64_t position_;
};

class CountingOutput : public pdf::PdfOutput {
public:
    explicit CountingOutput(std::uint64_t start) : sink_(start) {}
    ByteSink &sink() override { return sink_; }
    void commit() override {}
    void abandon() noexcept override {}

private:
    CountingSink sink_;
};

void put16(Bytes &bytes, unsigned value)
{
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    bytes.push_back(static_cast<std::uint8_t>(value));
}

} // namespace

pdf::OutputOpener MemoryOpener(MemoryResult &result)
{
    return [&result](const std::string &name) {
        result.name = name;
        return std::make_unique<MemoryOutput>(result);
    };
}

pdf::OutputOpener CountingOpener(std::uint64_t startPosition)
{
    return [startPosition](const std::string &) { return std::make_unique<CountingOutput>(startPosition); };
}

void ScriptedPages::CapturePage(std::int32_t pageIndex)
{
    const int pass = captures < static_cast<int>(pages.size()) ? 0 : 1;
    ++captures;
    if (onCapture)
        onCapture(pass, pageIndex);
    current_ = pages.at(static_cast<std::size_t>(pageIndex));
    currentIndex_ = pageIndex;
}

void ScriptedPages::SavePageImage(ByteSink &stream)
{
    stream.write(current_.data(), current_.size());
}

std::int32_t ScriptedPages::PageResolution()
{
    return currentIndex_ >= 0 && std::size_t(currentIndex_) < resolutions.size() ? resolutions[currentIndex_] : 72;
}

std::function<std::vector<std::uint8_t>()> ScriptedPages::DetachPageImage()
{
    if (!detach || !detach(currentIndex_))
        return {};
    return [bytes = current_, index = currentIndex_, job = detachedJob] {
        if (job)
            job(index);
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    };
}

Bytes FakeJpeg(int width, int height, int components, std::size_t totalBytes, std::uint16_t frameMarker,
               const Bytes &segmentsBefore)
{
    Bytes bytes{0xFF, 0xD8};
    bytes.insert(bytes.end(), segmentsBefore.begin(), segmentsBefore.end());
    put16(bytes, frameMarker);
    put16(bytes, 8 + 3 * static_cast<unsigned>(components));
    bytes.push_back(8);
    put16(bytes, static_cast<unsigned>(height));
    put16(bytes, static_cast<unsigned>(width));
    bytes.push_back(static_cast<std::uint8_t>(components));
    for (int c = 0; c < components; ++c)
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c + 1), 0x11, 0});
    if (bytes.size() + 2 > totalBytes)
        throw std::invalid_argument("FakeJpeg: too few bytes for its headers");
    bytes.resize(totalBytes - 2, 0x55);
    bytes.insert(bytes.end(), {0xFF, 0xD9});
    return bytes;
}

QImage DrawnPage(int width, int height, QColor ink)
{
    QImage page(width, height, QImage::Format_RGB888);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(QPen(ink, 3));
    painter.drawRect(10, 10, width - 21, height - 21);
    for (int y = 40; y + 12 < height - 20; y += 30)
        painter.fillRect(30, y, std::max(1, (width - 60) * ((y / 30) % 4 + 1) / 4), 10, ink);
    return page;
}

Bytes RealJpeg(int width, int height, QColor ink)
{
    return convert::EncodeBaselineJpeg(DrawnPage(width, height, ink));
}

Bytes RealCmykJpeg(int width, int height)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors); // test data of a fixed shape: the library's own exit is fine
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 4);
    for (int x = 0; x < width; ++x)
        std::copy_n(std::array<JSAMPLE, 4>{200, 40, 0, 10}.begin(), 4, row.begin() + 4 * x);
    while (info.next_scanline < info.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

std::string ReadFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

CommandResult RunCommand(const std::string &commandLine)
{
    FILE *pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + commandLine);
    std::string output;
    std::array<char, 4096> chunk;
    while (std::size_t got = std::fread(chunk.data(), 1, chunk.size(), pipe))
        output.append(chunk.data(), got);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

int StartQuietly(const std::string &program, const std::vector<std::string> &arguments,
                 const std::vector<std::pair<std::string, std::string>> &environment)
{
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    for (const auto &[name, value] : environment)
        ::setenv(name.c_str(), value.c_str(), 1);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

std::vector<int> ChildProcesses(int parent)
{
    // readdir rather than std::filesystem: a process that ends during the
    // scan makes the latter throw ("No such process"); here it is left out.
    std::vector<int> children;
    struct CloseDir {
        void operator()(DIR *dir) const { ::closedir(dir); }
    };
    std::unique_ptr<DIR, CloseDir> proc(::opendir("/proc"));
    if (!proc)
        throw std::runtime_error(std::string("cannot list /proc: ") + std::strerror(errno));
    while (const dirent *entry = ::readdir(proc.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream in("/proc/" + name + "/stat");
        std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // pid (comm) state ppid ...; comm may hold blanks, so read after ')'.
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(close + 2));
        char state;
        int ppid;
        if (rest >> state >> ppid && ppid == parent && state != 'Z')
            children.push_back(std::stoi(name));
    }
    return children;
}

std::string QpdfProblems(const std::filesystem::path &pdf)
{
    const CommandResult result = RunCommand("qpdf --check '" + pdf.string() + "'");
    if (result.exitCode == 0 && result.output.find("No syntax or stream encoding errors") != std::string::npos)
        return {};
    return result.output.empty() ? "qpdf exit " + std::to_string(result.exitCode) : result.output;
}

std::vector<ListedImage> ListImages(const std::filesystem::path &pdf)
{
    const CommandResult result = RunCommand("pdfimages -list '" + pdf.string() + "'");
    if (result.exitCode != 0)
        throw std::runtime_error("pdfimages failed: " + result.output);
    std::vector<ListedImage> images;
    std::istringstream lines(result.output);
    std::string line;
    int skipped = 0;
    while (std::getline(lines, line)) {
        if (skipped < 2) { // the heading and its rule
            ++skipped;
            continue;
        }
        std::istringstream fields(line);
        ListedImage image{};
        int num;
        std::string type;
        if (fields >> image.page >> num >> type >> image.width >> image.height >> image.colour) {
            std::string comp, bpc;
            fields >> comp >> bpc >> image.encoding;
            images.push_back(image);
        }
    }
    return images;
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "folivex-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace folivex::test
