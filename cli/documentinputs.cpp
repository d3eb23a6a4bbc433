#include "documentinputs.h"

#include "core/error.h"
#include "doclist/folderscan.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace folivex::cli {

namespace fs = std::filesystem;

namespace {

std::string joined(const std::string &folder, const std::string &name)
{
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

class Collector {
public:
    explicit Collector(bool recursive) : recursive_(recursive) {}

    void add(const std::string &path)
    {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            documents.push_back({path, std::strerror(errno), {}});
        else if (S_ISDIR(info.st_mode))
            addFolder(path, {});
        else
            addEntry(path, info.st_mode, {});
    }

    std::vector<DocumentInput> documents;

private:
    // A document, or for an entry of another kind, that kind as its problem.
    void addEntry(const std::string &path, mode_t mode, const std::string &subfolder)
    {
        std::error_code error;
        const fs::path key = fs::weakly_canonical(fs::absolute(path, error), error);
        if (!seen_.insert(error ? path : key.string()).second)
            return;
        documents.push_back({path, S_ISREG(mode) ? std::string() : NotADocumentText(mode), subfolder});
    }

    void addFolder(const std::string &folder, const std::string &subfolder)
    {
        std::error_code error;
        const std::string key = fs::weakly_canonical(fs::absolute(folder, error), error).string();
        if (!visited_.insert(key).second)
            return; // a link back up the tree, or a folder named twice
        std::vector<std::string> names;
        try {
            names = doclist::ScanFolderNames(folder);
        } catch (const Error &failure) {
            documents.push_back({folder, failure.text(), subfolder});
            return;
        }
        for (const std::string &name : names) {
            const std::string path = joined(folder, name);
            struct stat info {};
            // Removed since the folder was read, or a dangling link: nothing to convert.
            if (::stat(path.c_str(), &info) != 0)
                continue;
            // Below --recursive, a folder named like a document is a folder to walk.
            if (S_ISDIR(info.st_mode) && recursive_)
                continue;
            addEntry(path, info.st_mode, subfolder);
        }
        if (!recursive_)
            return;
        std::vector<std::string> below;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            if (it->is_directory(error) && !it->is_symlink(error))
                below.push_back(it->path().filename().string());
        std::sort(below.begin(), below.end());
        for (const std::string &name : below)
            addFolder(joined(folder, name), subfolder.empty() ? name : subfolder + "/" + name);
    }

    bool recursive_;
    std::set<std::string> seen_;
    std::set<std::string> visited_;
};

} // namespace

std::string NotADocumentText(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a folder, not a document";
    if (S_ISFIFO(mode))
        return "it is a named pipe (FIFO), not a document";
    if (S_ISSOCK(mode))
        return "it is a socket, not a document";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a document";
    return "it is not a regular file";
}

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
