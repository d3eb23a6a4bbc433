#include "tests/office/officetesting.h"

#include "convert/wordpages.h"
#include "core/error.h"
#include "platform/clipboard.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace folivex::testing {

using automation::Variant;

namespace {

Variant openIn(const char *progId, const char *collection, const std::string &file)
{
    Variant app = automation::CreateOleObject(progId);
    app.put("Visible", true);
    app.put("WindowState", int32_t(2));
    app.read(collection).call("Open", {fixture(file)});
    return app;
}

} // namespace

std::string fixture(const std::string &name)
{
    return std::string(FOLIVEX_FIXTURE_DIR) + "/" + name;
}

Variant openWord(const std::string &file)
{
    return openIn("Word.Application", "Documents", file);
}

Variant openPowerPoint(const std::string &file)
{
    return openIn("PowerPoint.Application", "Presentations", file);
}

Variant openExcel(const std::string &file)
{
    return openIn("Excel.Application", "WorkBooks", file);
}

std::string errorText(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.text();
    }
    return "(no error)";
}

void copyWordPage(const Variant &app, int n)
{
    convert::SelectWordPage(app.read("Application"), app.read("ActiveDocument"), n);
    app.read("Application").read("Selection").read("Range").call("CopyAsPicture");
}

QImage playClipboard(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(Qt::white);
    clipboard::ProcessClipboard().enhancedMetafile()->play(image, QRect(0, 0, w, h));
    return image;
}

int ink(const QImage &image, const QRect &area)
{
    int n = 0;
    QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar *p = image.constScanLine(y) + r.left() * 3;
        for (int x = r.left(); x <= r.right(); ++x, p += 3)
            if (p[0] < 200 || p[1] < 200 || p[2] < 200)
                ++n;
    }
    return n;
}

std::vector<int> processesInGroup(int group)
{
    std::vector<int> out;
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream in(entry.path() / "stat");
        std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // pid (comm) state ppid pgrp ...; comm may hold blanks, so read after ')'.
        size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(close + 2));
        char state;
        int ppid, pgrp;
        if (rest >> state >> ppid >> pgrp && pgrp == group && state != 'Z')
            out.push_back(std::stoi(name));
    }
    return out;
}

} // namespace folivex::testing
