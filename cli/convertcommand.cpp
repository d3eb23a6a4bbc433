#include "convertcommand.h"

#include "cli/documentinputs.h"
#include "cli/documentreport.h"
#include "cli/jobpool.h"
#include "cli/options.h"
#include "cli/terminalview.h"
#include "convert/batchconverter.h"
#include "convert/outputname.h"
#include "core/error.h"
#include "core/version.h"
#include "confine/confinement.h"
#include "platform/hostprocess.h"
#include "platform/automation.h"
#include "platform/hostprocess.h"
#include "usagetext.h"

#include <QDir>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <csignal>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

namespace folivex::cli {

namespace fs = std::filesystem;

namespace {

// The signal that asks the run to end (SIGINT, SIGTERM), 0 while none did.
volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int signal) { stopSignal = signal; }

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

std::string pdfOf(const std::string &folder, const std::string &document)
{
    return convert::PdfName(convert::OutputName(folder, document));
}

// The report file, or standard output for "-"; closed when the run ends.
class ReportFile {
public:
    explicit ReportFile(const std::string &name)
    {
        if (name.empty())
            return;
        file_ = name == "-" ? stdout : std::fopen(name.c_str(), "w");
        if (!file_)
            throw Error(std::string("Cannot write the report: ") + std::strerror(errno), name);
        owned_ = name != "-";
    }
    ~ReportFile()
    {
        if (owned_)
            std::fclose(file_);
    }
    void write(const DocumentReport &report)
    {
        if (!file_)
            return;
        std::fputs((ReportLine(report) + "\n").c_str(), file_);
        std::fflush(file_);
    }

private:
    std::FILE *file_ = nullptr;
    bool owned_ = false;
};

// One run of the command line over its documents.
class ConvertRun {
public:
    ConvertRun(const Options &options, TerminalView &view, ReportFile &report)
        : options_(options), view_(view), report_(report)
    {
    }

    // Converts `documents` and returns the exit code.
    int run(const std::vector<DocumentInput> &documents);

private:
    void runHere(const std::vector<DocumentInput> &documents);
    void runInJobs(const std::vector<DocumentInput> &documents, int jobs);
    DocumentReport convertHere(convert::BatchConverter &converter, const std::string &path,
                               const std::string &nextPath, convert::ConvertOutcome &outcome);
    void finish(std::size_t index, DocumentReport report);
    int complete();

    const Options &options_;
    unsigned long long memoryLimit_ = 0;
    TerminalView &view_;
    ReportFile &report_;
    std::vector<DocumentInput> documents_;
    std::vector<std::string> replacedBy_, replaces_;
    std::vector<DocumentReport> finished_;
    bool officeEndedTheBatch_ = false;
};

int ConvertRun::run(const std::vector<DocumentInput> &documents)
{
    documents_ = documents;
    // Documents that write the same PDF: the later replaces the earlier.
    replacedBy_.assign(documents.size(), {});
    replaces_.assign(documents.size(), {});
    std::map<std::string, std::size_t> lastOfName;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (!documents[i].problem.empty())
            continue;
        const std::string name = pdfOf(options_.output, documents[i].path);
        if (auto earlier = lastOfName.find(name); earlier != lastOfName.end()) {
            replacedBy_[earlier->second] = documents[i].path;
            replaces_[i] = documents[earlier->second].path;
        }
        lastOfName[name] = i;
    }
    for (std::size_t i = 0; i < documents.size(); ++i)
        if (!documents[i].problem.empty())
            view_.note("folivex: " + documents[i].path + ": " + documents[i].problem);

    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int jobs = options_.jobs > 0 ? options_.jobs : cores;
    // Each running LibreOffice may hold its share of the machine's memory;
    // a document that needs more is ended with that reason.
    memoryLimit_ = options_.maxMemory ? options_.maxMemory
                                      : automation::DefaultHostMemoryLimit(
                                            int(std::min<std::size_t>(std::size_t(jobs), std::max<std::size_t>(documents.size(), 1))));
    automation::SetHostMemoryLimit(memoryLimit_);
    const auto convertible = std::count_if(documents.begin(), documents.end(),
                                           [](const DocumentInput &d) { return d.problem.empty(); });
    if (jobs > 1 && convertible > 1 && !options_.stopOnError)
        runInJobs(documents, jobs);
    else
        runHere(documents);
    return complete();
}

void ConvertRun::finish(std::size_t index, DocumentReport report)
{
    report.replacedBy = replacedBy_[index];
    report.replaces = replaces_[index];
    report_.write(report);
    finished_.push_back(report);
}

DocumentReport ConvertRun::convertHere(convert::BatchConverter &converter, const std::string &path,
                                       const std::string &nextPath, convert::ConvertOutcome &outcome)
{
    const auto began = std::chrono::steady_clock::now();
    DocumentReport report;
    report.input = path;
    outcome = convert::ConvertOutcome::Converted;
    try {
        outcome = converter.ConvertOne(path, nextPath);
        if (stopSignal) {
            report.status = "stopped";
            report.reason = "the run was interrupted";
        } else if (!converter.converted().empty()) {
            report.status = "converted";
            report.output = pdfOf(options_.output, path);
            report.pages = converter.lastPageCount();
            std::error_code ignored;
            report.bytes = fs::file_size(report.output, ignored);
        } else if (!converter.failures().empty()) {
            report.status = "failed";
            report.reason = converter.failures().front().reason;
        } else {
            report.status = "stopped";
            report.reason = "the conversion was stopped";
        }
    } catch (const std::exception &error) {
        // A call that nothing guards in the window (the application's
        // Visible, its page count, Quit): here it fails its document only.
        outcome = convert::ConvertOutcome::WriterFailed;
        report.status = stopSignal ? "stopped" : "failed";
        report.reason = stopSignal ? "the run was interrupted" : error.what();
        view_.ShowMessage(error.what(), "Error");
    }
    report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return report;
}

void ConvertRun::runHere(const std::vector<DocumentInput> &documents)
{
    // A job of a pool shares the cores with the other jobs.
    if (!options_.asJob)
        automation::AllowRenderWorkers();
    convert::BatchConverter converter(view_);
    bool hostsEnded = false;
    view_.onPump = [&] {
        if (!stopSignal || hostsEnded)
            return;
        // Ends the document now, even in the middle of a long open: the
        // batch is aborted and every host ended.
        hostsEnded = true;
        view_.setSilent(true);
        converter.AbortBatch();
        automation::EndAllHosts("the run was interrupted");
    };
    automation::SetMessagePump([&] { view_.PumpMessages(); });
    // The bar follows each document's pages as they are captured, then the
    // writing of its PDF, as the window's bar does.
    view_.SetProgressVisible(true);
    bool skipping = false;
    for (std::size_t i = 0; i < documents.size() && !stopSignal; ++i) {
        const DocumentInput &document = documents[i];
        DocumentReport report;
        report.input = document.path;
        if (!document.problem.empty()) {
            report.status = "failed";
            report.reason = document.problem;
        } else if (skipping) {
            report.status = "skipped";
            report.reason = "the batch ended before it";
        } else {
            std::string next;
            for (std::size_t j = i + 1; j < documents.size() && next.empty(); ++j)
                if (documents[j].problem.empty())
                    next = documents[j].path;
            convert::ConvertOutcome outcome;
            report = convertHere(converter, document.path, options_.stopOnError ? std::string() : next, outcome);
            // As the window's batch: an application that cannot open its
            // document ends the batch at once, a failure of the writer
            // after this document.
            if (options_.stopOnError && outcome != convert::ConvertOutcome::Converted) {
                skipping = true;
                officeEndedTheBatch_ = outcome == convert::ConvertOutcome::OfficeFailed;
            }
        }
        finish(i, report);
    }
    view_.SetProgressVisible(false);
    automation::EndPrestartedHosts();
    automation::SetMessagePump(nullptr);
    view_.onPump = nullptr;
}

void ConvertRun::runInJobs(const std::vector<DocumentInput> &documents, int jobs)
{
    std::vector<PoolJob> poolJobs;
    std::vector<std::size_t> indexOf;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (!documents[i].problem.empty()) {
            DocumentReport report;
            report.input = documents[i].path;
            report.status = "failed";
            report.reason = documents[i].problem;
            finish(i, report);
            continue;
        }
        poolJobs.push_back({documents[i].path, pdfOf(options_.output, documents[i].path)});
        indexOf.push_back(i);
    }
    std::vector<std::string> arguments = {"--output", options_.output, "--size", options_.size, "--max-memory",
                                          std::to_string(memoryLimit_)};
    if (options_.quiet)
        arguments.push_back("--quiet");
    std::error_code ignored;
    const std::string program = fs::read_symlink("/proc/self/exe", ignored).string();
    JobPool pool(program, arguments, jobs, stopSignal);
    std::size_t done = 0;
    view_.SetProgressVisible(true);
    pool.run(poolJobs, [&](std::size_t job, const DocumentReport &report, const std::string &printed) {
        view_.SetProgressVisible(false);
        // One document's messages together, as it printed them.
        if (!stopSignal && !printed.empty())
            view_.printBlock(printed);
        finish(indexOf[job], report);
        view_.SetProgressVisible(true);
        view_.SetProgress(std::int32_t(poolJobs.size()), std::int32_t(++done));
    });
    view_.SetProgressVisible(false);
}

int ConvertRun::complete()
{
    if (stopSignal) {
        view_.setSilent(false);
        view_.note("folivex: interrupted; the document being converted was abandoned");
        return 128 + stopSignal;
    }
    std::string failures;
    int missing = 0;
    for (const DocumentReport &report : finished_) {
        if (report.status == "converted")
            continue;
        ++missing;
        failures += (failures.empty() ? "" : "\n") + std::string("No PDF was written for ") + report.input + ": " +
                    report.reason;
    }
    if (options_.asJob)
        return missing == 0 ? 0 : 1;
    if (missing == 0) {
        view_.ShowMessage("Successed!", "Congratulation");
        view_.OpenFolder(options_.output);
        return 0;
    }
    if (!officeEndedTheBatch_) {
        view_.ShowMessage(failures, "Error");
        std::error_code ignored;
        if (fs::is_directory(options_.output, ignored))
            view_.OpenFolder(options_.output);
    }
    for (const DocumentReport &report : finished_)
        if (report.status != "converted")
            view_.note("folivex: no PDF for " + report.input + ": " + report.reason);
    return 1;
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
    if (options.output.empty()) {
        options.output = defaultOutputFolder();
        std::error_code ignored;
        fs::create_directories(options.output, ignored);
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
        ReportFile report(options.report);
        ConvertRun run(options, view, report);
        return run.run(CollectDocuments(paths, options.recursive));
    } catch (const Error &error) {
        std::fprintf(err, "folivex: %s\n", error.what());
        return 1;
    }
}

} // namespace folivex::cli
