#include "convertcommand.h"

#include "cli/terminalview.h"
#include "convert/batchconverter.h"
#include "core/error.h"
#include "core/version.h"
#include "doclist/folderscan.h"
#include "usagetext.h"

#include <QDir>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <csignal>
#include <filesystem>

namespace folivex::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

struct Options {
    std::vector<std::string> paths;
    std::string output;
    std::string size = "100";
    bool help = false;
    bool version = false;
};

// Returns an error text, empty when the arguments are fine.
std::string parse(const std::vector<std::string> &arguments, Options &options)
{
    bool converting = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--convert") {
            converting = true;
        } else if (argument == "--output" || argument == "--size") {
            if (i + 1 >= arguments.size())
                return argument + " needs a value";
            (argument == "--output" ? options.output : options.size) = arguments[++i];
        } else if (argument.rfind("--", 0) == 0) {
            return "unknown option " + argument;
        } else if (converting) {
            options.paths.push_back(argument);
        } else {
            return "a path must follow --convert: " + argument;
        }
    }
    if (!options.help && !options.version && options.paths.empty())
        return "--convert needs at least one file or folder";
    return {};
}

std::string defaultOutputFolder() { return QDir::homePath().toStdString() + "/Output"; }

// --size is written as scripts write numbers, with a "." whatever the
// locale; the conversion reads the percentage as the settings dialog does,
// with the user's decimal separator, so a plain number is handed over in
// that spelling. Anything else goes as it is, to be refused with its text.
std::string sizeForConversion(const std::string &size)
{
    long double value = 0;
    const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), value);
    if (error != std::errc() || end != size.data() + size.size())
        return size;
    QString text = QString::fromStdString(size);
    text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
    return text.toStdString();
}

} // namespace

bool WantsCommandLine(const std::vector<std::string> &arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string &a) {
                           return a == "--convert" || a == "--help" || a == "-h" || a == "--version";
                       });
}

int RunConvertCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err)
{
    Options options;
    if (const std::string problem = parse(arguments, options); !problem.empty()) {
        std::fprintf(err, "folivex: %s\n\n%s", problem.c_str(), kHelp);
        return 2;
    }
    if (options.help) {
        std::fputs(kHelp, out);
        return 0;
    }
    if (options.version) {
        std::fputs("folivex " FOLIVEX_VERSION "\n", out);
        return 0;
    }
    if (options.output.empty()) {
        options.output = defaultOutputFolder();
        std::error_code ignored;
        std::filesystem::create_directories(options.output, ignored);
    }

    TerminalView view(out, err, sizeForConversion(options.size), options.output);
    std::vector<std::string> unreadable;
    for (const std::string &path : options.paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            try {
                for (const doclist::DocumentEntry &entry : doclist::ScanFolder(QString::fromStdString(path)))
                    view.addRow(entry.path.toStdString());
            } catch (const Error &failure) {
                unreadable.push_back(path + ": " + failure.text());
            }
        } else if (std::filesystem::exists(path, error)) {
            view.addRow(path);
        } else {
            unreadable.push_back(path + ": No such file or directory");
        }
    }

    convert::BatchConverter converter(view);
    view.onPump = [&converter] {
        if (interrupted)
            converter.AbortBatch();
    };
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND; // a second Ctrl-C ends the program at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    bool escaped = false;
    try {
        converter.SpeedButton11Click();
    } catch (const std::exception &error) {
        std::fprintf(out, "Error: %s\n", error.what());
        escaped = true;
    }
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    if (interrupted) {
        std::fprintf(err, "folivex: interrupted; the document being converted was abandoned\n");
        return 130;
    }

    // Name every document that produced no PDF, with the reason.
    int missing = 0;
    for (const std::string &problem : unreadable) {
        std::fprintf(err, "folivex: no PDF for %s\n", problem.c_str());
        ++missing;
    }
    for (const convert::RowId row : view.DocumentRows()) {
        const std::string path = view.FindDocumentRow(row)->path;
        const auto &done = converter.converted();
        if (std::find(done.begin(), done.end(), path) != done.end())
            continue;
        std::string reason = escaped ? "the conversion ended at an error" : "the batch ended before it";
        for (const convert::DocumentFailure &failure : converter.failures())
            if (failure.path == path)
                reason = failure.reason;
        std::fprintf(err, "folivex: no PDF for %s: %s\n", path.c_str(), reason.c_str());
        ++missing;
    }
    return missing == 0 && !escaped ? 0 : 1;
}

} // namespace folivex::cli
