#include "batchconverter.h"

#include "convert/officereason.h"
#include "convert/outputname.h"
#include "core/documentkind.h"
#include "core/error.h"
#include "core/resolution.h"
#include "pdf/jpeg2pdf.h"
#include "platform/automation.h"

#include <algorithm>
#include <filesystem>

namespace folivex::convert {

using automation::Variant;

namespace {

constexpr std::int32_t kMinimised = 2;
constexpr const char *kStoppedReason = "the conversion was stopped";

// Thrown into the capture when the batch is being aborted.
struct AbortSignal : std::exception {
    const char *what() const noexcept override { return "the conversion was ended"; }
};

// The application of one document. Whatever way the document ends, the
// reference is released with the hold, and releasing the last reference
// ends the host; quitAndRelease asks it to quit first, and a failing Quit
// still reaches the caller with the reference already let go.
class ApplicationHold {
public:
    explicit ApplicationHold(Variant app) : app_(std::move(app)) {}

    const Variant &get() const { return app_; }
    void quitAndRelease()
    {
        Variant app = std::move(app_);
        app_ = Variant::null();
        app.call("Quit");
    }

private:
    Variant app_;
};

} // namespace

// The pages of the document being converted, as the PDF writer pulls them.
class BatchConverter::DocumentPages : public pdf::PageSource {
public:
    DocumentPages(BatchConverter &converter, const Variant &app) : converter_(converter), app_(app) {}

    void CapturePage(std::int32_t pageIndex) override
    {
        if (converter_.aborting_)
            throw AbortSignal();
        converter_.pageCapture_.CapturePage(pageIndex, clipboard::ProcessClipboard(), app_, converter_.currentKind_);
    }
    void SavePageImage(ByteSink &stream) override { converter_.pageJpeg_.SaveToStream(stream); }
    std::function<std::vector<std::uint8_t>()> DetachPageImage() override
    {
        return converter_.pageJpeg_.DetachEncoding();
    }
    std::int64_t PageImagePixels() override
    {
        const QImage &bitmap = converter_.pageJpeg_.bitmap();
        return std::int64_t(bitmap.width()) * bitmap.height();
    }
    std::int32_t PageResolution() override { return converter_.pageCapture_.Resolution(); }

private:
    BatchConverter &converter_;
    const Variant &app_;
};

BatchConverter::BatchConverter(ConversionView &view, ApplicationFactory createApplication)
    : view_(view), createApplication_(std::move(createApplication)), pageCapture_(view, pageJpeg_)
{
    if (!createApplication_) {
        createApplication_ = [](const std::string &progId) { return automation::CreateOleObject(progId); };
        prestarting_ = true;
    }
}

void BatchConverter::SpeedButton11Click()
{
    if (running_)
        return;
    running_ = true;
    aborting_ = false;
    struct Done {
        bool &running;
        ~Done()
        {
            running = false;
            automation::EndPrestartedHosts();
        }
    } done{running_};
    chooseTextHinting();
    try {
        runBatch();
    } catch (const std::exception &) {
        // Once the batch is being ended its hosts are gone, and a call that
        // nothing guards fails for that reason alone: no error to show.
        if (!aborting_)
            throw;
    }
}

DocumentResult BatchConverter::ConvertOne(const std::string &path, const std::string &nextPath,
                                          const std::string &pdfName, std::size_t index, std::size_t count)
{
    DocumentResult result;
    result.input = path;
    if (running_) {
        result.status = DocumentStatus::Stopped;
        result.reason = kStoppedReason;
        result.halt = BatchHalt::OfficeStart;
        return result;
    }
    running_ = true;
    aborting_ = false;
    documentIndex_ = index;
    documentCount_ = count;
    const std::optional<DocumentKind> nextKind =
        nextPath.empty() ? std::nullopt : DocumentKindOf(LowerCaseExtension(nextPath));
    nextProgId_ = nextKind ? std::string(FactsOf(*nextKind).progId) : std::string();
    pdfName_ = pdfName;
    struct Done {
        bool &running;
        std::string &pdfName;
        ~Done()
        {
            running = false;
            pdfName.clear();
        }
    } done{running_, pdfName_};
    chooseTextHinting();
    try {
        convertDocument(LowerCaseExtension(path), path, result);
    } catch (const std::exception &error) {
        // A call that nothing guards in the window (the application's
        // Visible, its page count, Quit): here it fails its document only.
        // A PDF renamed into place before it stays converted.
        result.halt = BatchHalt::Writer;
        if (result.status != DocumentStatus::Converted) {
            result.status = DocumentStatus::Failed;
            result.reason = error.what();
        }
        return result;
    }
    if (!EndsBatchAtOnce(result))
        emptyClipboard();
    return result;
}

void BatchConverter::chooseTextHinting()
{
    // Pages above 72 dpi are for zooming and paper: their text keeps its
    // glyphs' own shapes, as in LibreOffice's PDF. A resolution that is no
    // number leaves hinting on; its first page fails with the reason.
    try {
        automation::SetHostTextHinting(CheckedResolution(view_.ResolutionText()) == kLowestResolution);
    } catch (const Error &) {
        automation::SetHostTextHinting(true);
    }
}

void BatchConverter::runBatch()
{
    view_.RepaintWindow();
    view_.SetProgressVisible(true);
    view_.SetStatusText("Converting...");
    view_.RepaintStatus();

    // The rows as they stand now, in their displayed order; each row is read
    // again when its turn comes, so a tick changed meanwhile counts and a row
    // removed meanwhile is passed over.
    const std::vector<RowId> rows = view_.DocumentRows();
    std::size_t ticked = 0;
    for (const RowId id : rows)
        if (const std::optional<DocumentRow> row = view_.FindDocumentRow(id); row && row->ticked)
            ++ticked;
    std::vector<DocumentResult> results;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        view_.PumpMessages();
        if (aborting_)
            return;
        const std::optional<DocumentRow> row = view_.FindDocumentRow(rows[i]);
        if (!row || !row->ticked)
            continue;
        // The next ticked row as the list stands now: its host can start
        // while this row converts.
        nextProgId_.clear();
        for (std::size_t j = i + 1; j < rows.size() && nextProgId_.empty(); ++j)
            if (const std::optional<DocumentRow> next = view_.FindDocumentRow(rows[j]); next && next->ticked)
                if (const std::optional<DocumentKind> kind = DocumentKindOf(LowerCaseExtension(next->path)))
                    nextProgId_ = FactsOf(*kind).progId;
        // A row ticked meanwhile counts too.
        documentIndex_ = results.size();
        documentCount_ = std::max(ticked, documentIndex_ + 1);
        DocumentResult result = ConvertDocument(LowerCaseExtension(row->path), row->path);
        view_.DocumentFinished(result);
        if (aborting_ || EndsBatchAtOnce(result))
            return;
        emptyClipboard();
        results.push_back(std::move(result));
        if (results.back().halt == BatchHalt::Writer)
            break;
    }
    complete(results);
}

void BatchConverter::complete(const std::vector<DocumentResult> &results)
{
    view_.BatchFinished(results);
    view_.SetProgressVisible(false);
    const std::string folder = view_.OutputFolderText();
    std::string failures;
    for (const DocumentResult &result : results)
        if (result.status == DocumentStatus::Failed)
            failures += (failures.empty() ? "" : "\n") + std::string("No PDF was written for ") + result.input + ": " +
                        result.reason;
    if (failures.empty()) {
        view_.SetStatusText("Successed!");
        view_.ShowMessage("Successed!", "Congratulation");
    } else {
        view_.SetStatusText("Finished with errors.");
        view_.ShowMessage(failures, "Error");
    }
    std::error_code ignored;
    if (failures.empty() || std::filesystem::is_directory(folder, ignored))
        view_.OpenFolder(folder);
}

void BatchConverter::SpeedButton1Click()
{
    // The writer finds the request before its next page or object; a
    // document being opened is not waited for.
    pdf::StopRequested = true;
    view_.SetStatusText("");
    view_.SetProgressVisible(false);
    if (opening_)
        automation::EndHost(*opening_, "the conversion was stopped");
}

void BatchConverter::AbortBatch()
{
    if (!running_)
        return;
    aborting_ = true;
    pdf::StopRequested = true;
    // A call waiting on a host (a long Open among them) fails at once, and
    // the host started ahead for the next document goes too.
    if (prestarting_)
        automation::EndAllHosts("the conversion was ended");
}

void BatchConverter::emptyClipboard()
{
    clipboard::Clipboard &clipboard = clipboard::ProcessClipboard();
    clipboard.open();
    clipboard.empty();
    clipboard.close();
}

DocumentResult BatchConverter::ConvertDocument(const std::string &extension, const std::string &path)
{
    DocumentResult result;
    convertDocument(extension, path, result);
    return result;
}

void BatchConverter::convertDocument(const std::string &extension, const std::string &path, DocumentResult &result)
{
    result = DocumentResult();
    result.input = path;
    // A stop pressed before this document began was meant for another one.
    pdf::StopRequested = false;
    const std::optional<DocumentKind> known = DocumentKindOf(extension);
    if (!known) {
        // Nothing can convert it: no application is started.
        result.reason = "it is not a Word, PowerPoint or Excel document.";
        return;
    }
    const DocumentKind kind = *known;
    const DocumentKindFacts &facts = FactsOf(kind);
    currentKind_ = KindCode(kind);

    // The box shows the fixed message with the host's reason beside it.
    auto showFailure = [&](const std::string &message, const std::exception &cause) {
        const std::string reason = OfficeReason(cause.what(), path);
        if (!aborting_)
            view_.ShowMessageWithReason(message, "Error", path, reason);
        return message + " (LibreOffice: " + reason + ")";
    };
    // The application could not be had, or could not open the document: the
    // batch ends here, without its completion.
    auto officeFailed = [&](const std::string &failure, BatchHalt halt) {
        result.reason = failure;
        result.halt = halt;
        view_.SetProgressVisible(false);
        view_.SetStatusText("");
        currentKind_ = 0;
    };

    Variant created;
    try {
        created = createApplication_(std::string(facts.progId));
    } catch (const std::exception &cause) {
        officeFailed(showFailure(FailedToConnectText(kind), cause), BatchHalt::OfficeStart);
        return;
    }
    ApplicationHold app(std::move(created));

    app.get().put("Visible", true);
    app.get().put("WindowState", kMinimised);

    // Stopped before the document was opened, or while it opened: no
    // failure, the batch goes on.
    auto stopped = [&] {
        result.status = DocumentStatus::Stopped;
        result.reason = kStoppedReason;
        app.quitAndRelease();
    };
    if (pdf::StopRequested && !aborting_)
        return stopped();
    try {
        opening_ = &app.get();
        struct Opened {
            const Variant *&opening;
            ~Opened() { opening = nullptr; }
        } opened{opening_};
        app.get().read(std::string(facts.collection)).call("Open", {path});
        if (prestarting_ && !nextProgId_.empty() && !aborting_)
            automation::PrestartHost(nextProgId_);
    } catch (const std::exception &cause) {
        if (pdf::StopRequested && !aborting_)
            return stopped();
        const std::string failure = showFailure(std::string(facts.failedToOpenText), cause);
        app.quitAndRelease();
        officeFailed(failure, BatchHalt::OfficeOpen);
        return;
    }

    std::int32_t pageCount = 0;
    switch (kind) {
    case DocumentKind::Word:
        pageCount = app.get().read("Application").read("Selection").get("Information", {4}).toInt32();
        break;
    case DocumentKind::PowerPoint:
        pageCount = app.get().read("ActivePresentation").read("Slides").read("Count").toInt32();
        break;
    default: pageCount = app.get().read("Worksheets").read("Count").toInt32(); break;
    }

    const std::string name = OutputName(view_.OutputFolderText(), path);
    // Stopped while it opened: the label stays empty, no start is told and
    // the writer stops before the first page.
    if (!pdf::StopRequested) {
        view_.SetStatusText("Converting  " + name);
        view_.DocumentStarted({path, name, documentIndex_, documentCount_, pageCount});
    }

    DocumentPages pages(*this, app.get());
    pdf::WriterHooks hooks;
    hooks.progress = [this](std::int32_t maximum, std::int32_t position) { ProgressCallback(maximum, position); };
    hooks.pumpMessages = [this] { view_.PumpMessages(); };
    const std::string pdfPath = pdfName_.empty() ? PdfName(name) : pdfName_;
    // The writer's three ways of telling (result code, failure text, what
    // it throws) become the document's result here, and only here.
    std::string failure;
    try {
        const int written = pdf::WritePdf(pdfPath, pageCount, pages, hooks, &failure);
        if (written == pdf::kWritten) {
            result.status = DocumentStatus::Converted;
            result.output = pdfPath;
            result.pages = pageCount;
            std::error_code ignored;
            result.bytes = std::filesystem::file_size(pdfPath, ignored);
        } else if (written == pdf::kFailed && !aborting_) {
            result.reason = failure;
        } else if (written == pdf::kNothingWritten) {
            result.reason = "it has no pages.";
        } else {
            // Stopped, or abandoned with the batch being ended.
            result.status = DocumentStatus::Stopped;
            result.reason = kStoppedReason;
        }
    } catch (const std::exception &error) {
        result.halt = BatchHalt::Writer;
        if (aborting_) {
            result.status = DocumentStatus::Stopped;
            result.reason = kStoppedReason;
        } else {
            result.reason = error.what();
        }
    }
    app.quitAndRelease();
}

void BatchConverter::ProgressCallback(std::int32_t maximum, std::int32_t position)
{
    view_.PumpMessages();
    view_.SetProgress(maximum, position);
}

} // namespace folivex::convert
