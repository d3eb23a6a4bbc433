#include "convertrun.h"

#include "cli/jobpool.h"
#include "cli/nametext.h"
#include "cli/outputfolder.h"
#include "cli/protectedfile.h"
#include "convert/batchconverter.h"
#include "core/documentkind.h"
#include "core/error.h"
#include "platform/automation.h"
#include "platform/hostprocess.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace folivex::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char *kBatchEnded = "the batch ended before it";
constexpr const char *kInterrupted = "the run was interrupted";
constexpr const char *kNotStarted = "the run was interrupted before it";

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

// For tests only: with FOLIVEX_TEST_HOLD_AFTER_PDF set to a file name, the
// run makes that file once a PDF has been renamed into place and waits
// there, before the document is reported, until a signal asks it to stop
// (at most ten seconds), pumping as a conversion does.
void holdAfterPdf(TerminalView &view, volatile std::sig_atomic_t &stop)
{
    const char *marker = std::getenv("FOLIVEX_TEST_HOLD_AFTER_PDF");
    if (!marker || !*marker)
        return;
    if (std::FILE *file = std::fopen(marker, "w"))
        std::fclose(file);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!stop && std::chrono::steady_clock::now() < until) {
        view.PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    view.PumpMessages();
}

// A document LibreOffice would not open, when the file says it is
// encrypted: the reason says so instead of guessing among causes.
std::string reasonFor(const convert::DocumentResult &result)
{
    if (result.halt != convert::BatchHalt::OfficeOpen)
        return result.reason;
    const std::optional<DocumentKind> kind = DocumentKindOf(LowerCaseExtension(result.input));
    if (!kind || !IsPasswordProtected(result.input))
        return result.reason;
    return std::string(FactsOf(*kind).failedToOpenText) + " (LibreOffice: it is protected by a password)";
}

DocumentReport skipped(const std::string &path, const char *reason,
                       convert::DocumentStatus status = convert::DocumentStatus::Skipped)
{
    DocumentReport report;
    report.input = path;
    report.status = status;
    report.reason = reason;
    return report;
}

} // namespace

ReportFile::ReportFile(const std::string &name)
{
    if (name.empty())
        return;
    if (name == "-") {
        file_ = stdout;
        return;
    }
    named_.reset(std::fopen(name.c_str(), "w"));
    if (!named_)
        throw Error(std::string("Cannot write the report: ") + std::strerror(errno), name);
    file_ = named_.get();
}

void ReportFile::write(const DocumentReport &report)
{
    if (!file_)
        return;
    std::fputs((ReportLine(report) + "\n").c_str(), file_);
    std::fflush(file_);
}

ConvertRun::ConvertRun(const Options &options, TerminalView &view, ReportFile &report, volatile std::sig_atomic_t &stop)
    : options_(options), view_(view), report_(report), stop_(stop)
{
}

int ConvertRun::run(const std::vector<DocumentInput> &documents)
{
    documents_ = documents;
    plan_ = PlanPdfs(documents, options_.output, options_.flat);
    finished_.assign(documents.size(), false);
    if (documents.empty()) {
        view_.note("folivex: no Word, PowerPoint or Excel document was found");
        return 3;
    }
    // A job converts the one document its run gave it, into the PDF the run planned.
    if (options_.asJob && !options_.asPdf.empty())
        for (PlannedPdf &planned : plan_)
            if (!planned.path.empty())
                planned = {options_.asPdf, false};
    if (!options_.quiet)
        for (std::size_t i = 0; i < documents.size(); ++i)
            if (plan_[i].renamed)
                view_.note("folivex: " + ReadableName(documents[i].path) + " is written as " +
                           ReadableName(plan_[i].path) + ": an earlier document's PDF has its name");

    // Leftovers of runs that are gone, whether or not a PDF goes there this time.
    if (!options_.asJob)
        RemoveStaleParts(options_.output);

    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int jobs = options_.jobs > 0 ? options_.jobs : cores;
    // Each running LibreOffice may hold its share of the machine's memory;
    // a document that needs more is ended with that reason.
    memoryLimit_ = options_.maxMemory
                       ? options_.maxMemory
                       : automation::DefaultHostMemoryLimit(
                             int(std::min<std::size_t>(std::size_t(jobs), std::max<std::size_t>(documents.size(), 1))));
    automation::SetHostMemoryLimit(memoryLimit_);
    const auto convertible =
        std::count_if(documents.begin(), documents.end(), [](const DocumentInput &d) { return d.problem.empty(); });
    if (jobs > 1 && convertible > 1 && !options_.stopOnError)
        runInJobs(jobs);
    else
        runHere();
    for (std::size_t i = 0; i < documents_.size(); ++i) {
        if (finished_[i])
            continue;
        finish(i, skipped(documents_[i].path, kNotStarted));
    }
    return complete();
}

std::string ConvertRun::prepareFolder(std::size_t index)
{
    const std::string folder = folderOf(plan_[index].path);
    if (!prepared_.insert(folder).second)
        return {};
    std::error_code error;
    fs::create_directories(folder, error);
    if (error && !fs::is_directory(folder))
        return "cannot make the folder " + ReadableName(folder) + ": " + error.message();
    RemoveStaleParts(folder);
    return {};
}

bool ConvertRun::skipAsExisting(std::size_t index)
{
    if (!options_.skipExisting)
        return false;
    struct stat pdf {
    }, document{};
    if (::stat(plan_[index].path.c_str(), &pdf) != 0 || !S_ISREG(pdf.st_mode) ||
        ::stat(documents_[index].path.c_str(), &document) != 0)
        return false;
    const bool newer = pdf.st_mtim.tv_sec != document.st_mtim.tv_sec ? pdf.st_mtim.tv_sec > document.st_mtim.tv_sec
                                                                     : pdf.st_mtim.tv_nsec > document.st_mtim.tv_nsec;
    if (!newer)
        return false;
    DocumentReport report;
    report.input = documents_[index].path;
    report.output = plan_[index].path;
    report.status = convert::DocumentStatus::Skipped;
    report.reason = "its PDF is newer than the document";
    report.bytes = std::uint64_t(pdf.st_size);
    finish(index, report);
    return true;
}

void ConvertRun::finish(std::size_t index, DocumentReport report)
{
    finished_[index] = true;
    report_.write(report);
    view_.DocumentFinished(report);
    results_.push_back(std::move(report));
}

DocumentReport ConvertRun::convertHere(convert::BatchConverter &converter, std::size_t index,
                                       const std::string &nextPath)
{
    const auto began = std::chrono::steady_clock::now();
    DocumentReport report;
    static_cast<convert::DocumentResult &>(report) =
        converter.ConvertOne(documents_[index].path, nextPath, plan_[index].path, index, documents_.size());
    // What is on disk decides: a PDF renamed into place is converted,
    // whatever came after it (a signal, a host that failed to quit).
    if (report.status == convert::DocumentStatus::Converted) {
        holdAfterPdf(view_, stop_);
        report.resolution = options_.resolution;
    } else if (stop_) {
        report.status = convert::DocumentStatus::Stopped;
        report.reason = kInterrupted;
    } else if (report.status == convert::DocumentStatus::Failed) {
        report.reason = reasonFor(report);
    }
    report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return report;
}

void ConvertRun::runHere()
{
    // A job of a pool shares the cores with the other jobs.
    if (!options_.asJob)
        automation::AllowRenderWorkers();
    convert::BatchConverter converter(view_);
    bool hostsEnded = false;
    view_.onPump = [&] {
        if (!stop_ || hostsEnded)
            return;
        // Ends the document now, even in the middle of a long open: the
        // batch is aborted and every host ended.
        hostsEnded = true;
        view_.setSilent(true);
        converter.AbortBatch();
        automation::EndAllHosts(kInterrupted);
    };
    automation::SetMessagePump([&] { view_.PumpMessages(); });
    // The bar follows each document's pages as they are captured, then the
    // writing of its PDF, as the window's bar does.
    view_.SetProgressVisible(true);
    bool skipping = false;
    for (std::size_t i = 0; i < documents_.size() && !stop_; ++i) {
        DocumentReport report;
        report.input = documents_[i].path;
        if (!documents_[i].problem.empty()) {
            report.status = convert::DocumentStatus::Failed;
            report.reason = documents_[i].problem;
        } else if (skipping) {
            report = skipped(documents_[i].path, kBatchEnded, convert::DocumentStatus::SkippedAfterFailure);
        } else if (skipAsExisting(i)) {
            continue;
        } else if (const std::string problem = prepareFolder(i); !problem.empty()) {
            report.status = convert::DocumentStatus::Failed;
            report.reason = problem;
        } else {
            std::string next;
            for (std::size_t j = i + 1; j < documents_.size() && next.empty() && !options_.stopOnError; ++j)
                if (documents_[j].problem.empty())
                    next = documents_[j].path;
            view_.setOutputFolder(folderOf(plan_[i].path));
            report = convertHere(converter, i, next);
            // As the window's batch: an application that cannot open its
            // document ends the batch at once, a failure of the writer
            // after this document.
            if (options_.stopOnError && report.halt != convert::BatchHalt::None) {
                skipping = true;
                officeEndedTheBatch_ = convert::EndsBatchAtOnce(report);
            }
        }
        finish(i, report);
    }
    view_.SetProgressVisible(false);
    automation::EndPrestartedHosts();
    automation::SetMessagePump(nullptr);
    view_.onPump = nullptr;
}

void ConvertRun::runInJobs(int jobs)
{
    std::vector<PoolJob> poolJobs;
    std::vector<std::size_t> indexOf;
    for (std::size_t i = 0; i < documents_.size(); ++i) {
        DocumentReport report;
        report.input = documents_[i].path;
        report.status = convert::DocumentStatus::Failed;
        if (!documents_[i].problem.empty())
            report.reason = documents_[i].problem;
        else if (skipAsExisting(i))
            continue;
        else
            report.reason = prepareFolder(i);
        if (!report.reason.empty()) {
            finish(i, report);
            continue;
        }
        poolJobs.push_back({documents_[i].path, plan_[i].path});
        indexOf.push_back(i);
    }
    std::vector<std::string> arguments = {"--output",     options_.output,
                                          "--size",       options_.size,
                                          "--resolution", std::to_string(options_.resolution),
                                          "--max-memory", std::to_string(memoryLimit_)};
    if (options_.quiet)
        arguments.push_back("--quiet");
    std::error_code ignored;
    const std::string program = fs::read_symlink("/proc/self/exe", ignored).string();
    JobPool pool(program, arguments, jobs, stop_);
    std::size_t done = 0;
    view_.SetProgressVisible(true);
    pool.run(poolJobs, [&](std::size_t job, const DocumentReport &report, const std::string &printed) {
        view_.SetProgressVisible(false);
        // One document's messages together, as it printed them.
        if (!stop_ && !printed.empty())
            view_.printBlock(printed);
        finish(indexOf[job], report);
        view_.SetProgressVisible(true);
        view_.SetProgress(std::int32_t(poolJobs.size()), std::int32_t(++done));
    });
    view_.SetProgressVisible(false);
}

int ConvertRun::complete()
{
    if (stop_) {
        view_.setSilent(false);
        view_.note("folivex: interrupted; the documents not yet converted have no PDF");
        return 128 + stop_;
    }
    const bool allWritten = std::none_of(results_.begin(), results_.end(), convert::EndedWithoutPdf);
    if (options_.asJob)
        return allWritten ? 0 : 1;
    view_.BatchFinished(results_);
    if (allWritten) {
        view_.OpenFolder(options_.output);
        return 0;
    }
    const bool written = std::any_of(results_.begin(), results_.end(), [](const convert::DocumentResult &result) {
        return result.status == convert::DocumentStatus::Converted;
    });
    if (!officeEndedTheBatch_ && written)
        view_.OpenFolder(options_.output);
    return 1;
}

} // namespace folivex::cli
