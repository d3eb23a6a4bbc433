#include "convertcommand.h"

#include "cli/convertrun.h"
#include "cli/documentinputs.h"
#include "cli/options.h"
#include "cli/outputfolder.h"
#include "cli/terminalview.h"
#include "core/error.h"
#include "core/version.h"
#include "confine/confinement.h"
#include "usagetext.h"

#include <QDir>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <csignal>
#include <memory>

namespace folivex::cli {

namespace {

// The signal that asks the run to end (SIGINT, SIGTERM), 0 while none did.
volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int signal)
{
    stopSignal = signal;
}

std::string defaultOutputFolder()
{
    return QDir::homePath().toStdString() + "/Output";
}

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
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string &a) {
        return a == "--convert" || a == "--help" || a == "-h" || a == "--version";
    });
}

int RunConvertCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err)
{
    Options options;
    if (const std::string problem = ParseOptions(arguments, options); !problem.empty()) {
        std::fprintf(err, "folivex: %s\n\n%s", problem.c_str(), kHelp);
        return 2;
    }
    if (options.help) {
        std::fputs(kHelp, out);
        return 0;
    }
    if (options.version) {
        std::fputs("folivex " FOLIVEX_VERSION "\n", out);
        std::fprintf(out, "%s\n", confine::ProtectionSummary().c_str());
        return 0;
    }
    // The output folder before any document: a run that cannot write its
    // PDFs says so once, at once.
    const bool defaulted = options.output.empty();
    if (defaulted)
        options.output = defaultOutputFolder();
    if (const std::string problem = OutputFolderProblem(options.output, defaulted); !problem.empty()) {
        std::fprintf(err, "folivex: %s\n", problem.c_str());
        return 2;
    }

    struct sigaction action {};
    action.sa_handler = onStopSignal;
    action.sa_flags = SA_RESETHAND; // a second Ctrl-C ends the program at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    struct RestoreSignals {
        ~RestoreSignals()
        {
            signal(SIGINT, SIG_DFL);
            signal(SIGTERM, SIG_DFL);
        }
    } restore;

    try {
        std::vector<std::string> paths = options.paths;
        if (!options.filesFrom.empty()) {
            // A named list is closed once read, or when reading it throws; standard input stays open.
            std::unique_ptr<std::FILE, decltype(&std::fclose)> named(nullptr, &std::fclose);
            if (options.filesFrom != "-")
                named.reset(std::fopen(options.filesFrom.c_str(), "r"));
            std::FILE *list = options.filesFrom == "-" ? stdin : named.get();
            if (!list)
                throw Error(std::string("Cannot read the list of documents: ") + std::strerror(errno),
                            options.filesFrom);
            std::vector<std::string> listed = ReadPathList(list, options.filesFrom);
            named.reset();
            paths.insert(paths.end(), listed.begin(), listed.end());
        }
        // With the report on standard output, the messages go to standard error.
        TerminalView view(options.report == "-" ? err : out, err, sizeForConversion(options.size), options.output);
        view.setQuiet(options.quiet);
        view.setAsJob(options.asJob);
        view.setResolution(std::to_string(options.resolution));
        ReportFile report(options.report);
        ConvertRun run(options, view, report, stopSignal);
        return run.run(CollectDocuments(paths, options.recursive));
    } catch (const Error &error) {
        std::fprintf(err, "folivex: %s\n", error.what());
        return 1;
    }
}

} // namespace folivex::cli
