#include "options.h"

#include "core/error.h"
#include "core/resolution.h"

#include <charconv>

namespace folivex::cli {

namespace {

bool takesValue(const std::string &option)
{
    return option == "--output" || option == "--size" || option == "--resolution" || option == "--files-from" ||
           option == "--report" || option == "--jobs" || option == "--max-memory" || option == "--as-pdf";
}

// "4G", "1536M", "2.5G" or a number of bytes; at least 256 MiB.
bool parseMemory(const std::string &value, unsigned long long &bytes)
{
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || number <= 0)
        return false;
    const std::string unit = std::string(end, value.data() + value.size());
    double scale = 1;
    if (unit == "K" || unit == "KiB")
        scale = 1024.0;
    else if (unit == "M" || unit == "MiB")
        scale = 1024.0 * 1024;
    else if (unit == "G" || unit == "GiB")
        scale = 1024.0 * 1024 * 1024;
    else if (!unit.empty())
        return false;
    const double total = number * scale;
    if (total < 256.0 * 1024 * 1024 || total > 1e15)
        return false;
    bytes = static_cast<unsigned long long>(total);
    return true;
}

} // namespace

std::string ParseOptions(const std::vector<std::string> &arguments, Options &options)
{
    bool converting = false;
    bool pathsOnly = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (pathsOnly) {
            options.paths.push_back(argument);
        } else if (argument == "--") {
            pathsOnly = converting;
            if (!converting)
                return "a path must follow --convert: --";
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--convert") {
            converting = true;
        } else if (argument == "--recursive") {
            options.recursive = true;
        } else if (argument == "--flat") {
            options.flat = true;
        } else if (argument == "--skip-existing") {
            options.skipExisting = true;
        } else if (argument == "--quiet") {
            options.quiet = true;
        } else if (argument == "--stop-on-error") {
            options.stopOnError = true;
        } else if (argument == "--as-job") {
            options.asJob = true;
        } else if (takesValue(argument)) {
            if (i + 1 >= arguments.size())
                return argument + " needs a value";
            const std::string &value = arguments[++i];
            if (argument == "--output")
                options.output = value;
            else if (argument == "--size")
                options.size = value;
            else if (argument == "--resolution") {
                try {
                    options.resolution = CheckedResolution(value);
                } catch (const Error &) {
                    return "--resolution needs a whole number of dots per inch from 72 to 600: " + value;
                }
            } else if (argument == "--files-from")
                options.filesFrom = value;
            else if (argument == "--report")
                options.report = value;
            else if (argument == "--as-pdf")
                options.asPdf = value;
            else if (argument == "--max-memory") {
                if (!parseMemory(value, options.maxMemory))
                    return "--max-memory needs a size of at least 256M, such as 2G or 1536M: " + value;
            } else {
                int jobs = 0;
                const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
                if (error != std::errc() || end != value.data() + value.size() || jobs < 1 || jobs > 256)
                    return "--jobs needs a number from 1 to 256: " + value;
                options.jobs = jobs;
            }
        } else if (argument.rfind("--", 0) == 0) {
            return "unknown option " + argument;
        } else if (converting) {
            options.paths.push_back(argument);
        } else {
            return "a path must follow --convert: " + argument;
        }
    }
    if (!options.help && !options.version && options.paths.empty() && options.filesFrom.empty())
        return "--convert needs at least one file or folder";
    return {};
}

} // namespace folivex::cli
