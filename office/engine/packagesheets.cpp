#include "office/engine/packagesheets.h"

#include "office/engine/uno.h"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/packages/zip/ZipFileAccess.hpp>

#include <cctype>
#include <cstdlib>
#include <map>
#include <vector>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

using Attributes = std::map<std::string, std::string>;

std::string localName(const std::string &qualified)
{
    const auto colon = qualified.find(':');
    return colon == std::string::npos ? qualified : qualified.substr(colon + 1);
}

// XML's five named entities and numeric character references, as UTF-8.
std::string decoded(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string::npos;
        if (semicolon == std::string::npos) {
            out += text[i];
            continue;
        }
        const std::string entity = text.substr(i + 1, semicolon - i - 1);
        static const std::map<std::string, char> named{
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        if (auto known = named.find(entity); known != named.end()) {
            out += known->second;
        } else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x' || entity[1] == 'X';
            unsigned long c = std::strtoul(entity.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10);
            if (c < 0x80) {
                out += char(c);
            } else if (c < 0x800) {
                out += char(0xC0 | (c >> 6));
                out += char(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                out += char(0xE0 | (c >> 12));
                out += char(0x80 | ((c >> 6) & 0x3F));
                out += char(0x80 | (c & 0x3F));
            } else {
                out += char(0xF0 | (c >> 18));
                out += char(0x80 | ((c >> 12) & 0x3F));
                out += char(0x80 | ((c >> 6) & 0x3F));
                out += char(0x80 | (c & 0x3F));
            }
        } else {
            out += text.substr(i, semicolon - i + 1);
        }
        i = semicolon;
    }
    return out;
}

// The attributes (by local name) of every element of `xml` whose local name
// is `name`, in document order. Enough XML for the package parts read here:
// comments, processing instructions and declarations are skipped whole.
std::vector<Attributes> elementsNamed(const std::string &xml, const std::string &name)
{
    std::vector<Attributes> found;
    size_t i = 0;
    while ((i = xml.find('<', i)) != std::string::npos) {
        if (xml.compare(i, 4, "<!--") == 0) {
            i = xml.find("-->", i);
            continue;
        }
        const size_t end = xml.find('>', i);
        if (end == std::string::npos)
            break;
        if (xml[i + 1] == '/' || xml[i + 1] == '?' || xml[i + 1] == '!') {
            i = end;
            continue;
        }
        size_t p = i + 1;
        while (p < end && !std::isspace(static_cast<unsigned char>(xml[p])) && xml[p] != '/')
            ++p;
        if (localName(xml.substr(i + 1, p - i - 1)) == name) {
            Attributes attributes;
            while (p < end) {
                const size_t equals = xml.find('=', p);
                if (equals == std::string::npos || equals > end)
                    break;
                size_t start = p;
                while (start < equals && std::isspace(static_cast<unsigned char>(xml[start])))
                    ++start;
                size_t stop = equals;
                while (stop > start && std::isspace(static_cast<unsigned char>(xml[stop - 1])))
                    --stop;
                const size_t open = xml.find_first_of("\"'", equals);
                if (open == std::string::npos)
                    break;
                const size_t close = xml.find(xml[open], open + 1);
                if (close == std::string::npos)
                    break;
                attributes[localName(xml.substr(start, stop - start))] =
                    decoded(xml.substr(open + 1, close - open - 1));
                p = close + 1;
            }
            found.push_back(std::move(attributes));
        }
        i = end;
    }
    return found;
}

// The bytes of part `name`; none when the package has no such part.
std::optional<std::string> partOf(const Reference<css::container::XNameAccess> &package, const std::string &name)
{
    const rtl::OUString entry = toOUString(name);
    if (!package->hasByName(entry))
        return std::nullopt;
    Reference<css::io::XInputStream> stream(package->getByName(entry), UNO_QUERY_THROW);
    std::string bytes;
    css::uno::Sequence<sal_Int8> chunk;
    while (sal_Int32 n = stream->readBytes(chunk, 65536))
        bytes.append(reinterpret_cast<const char *>(chunk.getConstArray()), size_t(n));
    stream->closeInput();
    return bytes;
}

bool endsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Part `target` as named from the part in folder `base` ("xl/"), relative
// or from the package's root.
std::string resolved(const std::string &base, const std::string &target)
{
    return !target.empty() && target[0] == '/' ? target.substr(1) : base + target;
}

} // namespace

std::optional<std::set<std::string>> chartSheetsOfPackage(const std::string &fileUrl)
{
    try {
        Reference<css::container::XNameAccess> package(
            css::packages::zip::ZipFileAccess::createWithURL(comphelper::getProcessComponentContext(),
                                                             toOUString(fileUrl)),
            UNO_QUERY_THROW);
        const std::optional<std::string> rootRels = partOf(package, "_rels/.rels");
        if (!rootRels)
            return std::nullopt;
        // The workbook part: the package's office document (transitional
        // and strict name its relationship differently, both end alike).
        std::string workbookPart;
        for (const Attributes &r : elementsNamed(*rootRels, "Relationship"))
            if (endsWith(r.count("Type") ? r.at("Type") : "", "/officeDocument") && r.count("Target"))
                workbookPart = resolved("", r.at("Target"));
        if (!endsWith(workbookPart, ".xml"))
            return std::nullopt;
        const size_t slash = workbookPart.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : workbookPart.substr(0, slash + 1);
        const std::string file = workbookPart.substr(folder.size());
        const std::optional<std::string> workbook = partOf(package, workbookPart);
        const std::optional<std::string> rels = partOf(package, folder + "_rels/" + file + ".rels");
        if (!workbook || !rels)
            return std::nullopt;
        std::set<std::string> chartRelationships;
        for (const Attributes &r : elementsNamed(*rels, "Relationship"))
            if (r.count("Id") && r.count("Type") && endsWith(r.at("Type"), "/chartsheet"))
                chartRelationships.insert(r.at("Id"));
        std::set<std::string> chartSheets;
        for (const Attributes &sheet : elementsNamed(*workbook, "sheet"))
            if (sheet.count("id") && sheet.count("name") && chartRelationships.count(sheet.at("id")))
                chartSheets.insert(sheet.at("name"));
        return chartSheets;
    } catch (const css::uno::Exception &) {
        // Not a zip package (a .xls workbook), or a damaged one.
        return std::nullopt;
    }
}

} // namespace folivex::office
