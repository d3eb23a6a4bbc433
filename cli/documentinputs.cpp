#include "documentinputs.h"

#include "core/error.h"
#include "doclist/folderscan.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

namespace folivex::cli {

namespace fs = std::filesystem;

namespace {

class Collector {
public:
    explicit Collector(bool recursive) : recursive_(recursive) {}

    void add(const std::string &path)
    {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (fs::is_directory(status))
            addFolder(path);
        else if (fs::exists(status))
            addDocument(path);
        else
            documents.push_back({path, std::strerror(ENOENT)});
    }

    std::vector<DocumentInput> documents;

private:
    void addDocument(const std::string &path)
    {
        std::error_code error;
        fs::path key = fs::weakly_canonical(fs::absolute(path, error), error);
        if (seen_.insert(error ? path : key.string()).second)
            documents.push_back({path, {}});
    }

    void addFolder(const std::string &folder)
    {
        std::error_code error;
        const std::string key = fs::weakly_canonical(fs::absolute(folder, error), error).string();
        if (!visited_.insert(key).second)
            return; // a link back up the tree, or a folder named twice
        try {
            for (const doclist::DocumentEntry &entry : doclist::ScanFolder(QString::fromStdString(folder)))
                addDocument(entry.path.toStdString());
        } catch (const Error &failure) {
            documents.push_back({folder, failure.text()});
            return;
        }
        if (!recursive_)
            return;
        std::vector<std::string> below;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            if (it->is_directory(error) && !it->is_symlink(error))
                below.push_back(it->path().string());
        std::sort(below.begin(), below.end());
        for (const std::string &sub : below)
            addFolder(sub);
    }

    bool recursive_;
    std::set<std::string> seen_;
    std::set<std::string> visited_;
};

} // namespace

std::vector<DocumentInput> CollectDocuments(const std::vector<std::string> &paths, bool recursive)
{
    Collector collector(recursive);
    for (const std::string &path : paths)
        collector.add(path);
    return std::move(collector.documents);
}

std::vector<std::string> ReadPathList(std::FILE *list, const std::string &name)
{
    std::vector<std::string> paths;
    std::string line;
    for (int c; (c = std::fgetc(list)) != EOF;) {
        if (c != '\n') {
            line += char(c);
            continue;
        }
        if (!line.empty())
            paths.push_back(line);
        line.clear();
    }
    if (std::ferror(list))
        throw Error(std::string("Cannot read the list of documents: ") + std::strerror(errno), name);
    if (!line.empty())
        paths.push_back(line);
    return paths;
}

} // namespace folivex::cli
