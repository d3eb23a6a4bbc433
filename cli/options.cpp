#include "options.h"

#include <charconv>

namespace folivex::cli {

namespace {

bool takesValue(const std::string &option)
{
    return option == "--output" || option == "--size" || option == "--files-from" || option == "--report" ||
           option == "--jobs" || option == "--as-pdf";
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
            else if (argument == "--files-from")
                options.filesFrom = value;
            else if (argument == "--report")
                options.report = value;
            else if (argument == "--as-pdf")
                options.asPdf = value;
            else {
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
